// Runs one extraction in UNZDLL.DLL, loaded the way the zip component loads it.
// Usage: unzip_run <UNZDLL.DLL> <archive> <target folder>
// Prints problems to stderr; exits 1 when there were any.
#include <dlfcn.h>

#include <cstdio>

#include "zip/unzdll_abi.h"

namespace {

int problems = 0;

int Report(void*, int kind, const char* entry, const char* message, int64_t) {
  if (kind == UNZ_REPORT_SKIPPED || kind == UNZ_REPORT_ERROR) {
    ++problems;
    std::fprintf(stderr, "%s: %s\n", entry, message);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s UNZDLL.DLL ARCHIVE TARGET\n", argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  auto exec = reinterpret_cast<UnzDllExecFn>(dlsym(library, "UnzDllExec"));
  if (exec == nullptr) return 2;
  const char* all[] = {"*.*"};
  UnzJob job{};
  job.struct_size = sizeof job;
  job.abi_version = UNZ_ABI_VERSION;
  job.archive = argv[2];
  job.base_dir = argv[3];
  job.specs = all;
  job.spec_count = 1;
  job.dir_names = 1;
  job.overwrite = 1;
  job.report = &Report;
  const int extracted = exec(&job);
  std::printf("%d\n", extracted);
  dlclose(library);
  return extracted < 0 || problems > 0 ? 1 : 0;
}
