// A library that loads but is not fit for use: too old, or without UnzDllExec.
#include "zip/unzdll_abi.h"

extern "C" __attribute__((visibility("default"))) int GetUnzDllVersion(void) {
  return FAKE_UNZDLL_VERSION;
}

#ifndef FAKE_UNZDLL_NO_EXEC
extern "C" __attribute__((visibility("default"))) int UnzDllExec(const UnzJob*) {
  return -1;
}
#endif
