// A UTF-8 character locale for the current thread only, restored when it goes out of scope.
//
// libarchive converts stored names into the thread's character set; in the "C" locale every
// non-ASCII name fails, so the job needs UTF-8 here. The host process's locale is left alone.
#pragma once

#include <locale.h>

namespace unz {

class ThreadLocale {
 public:
  ThreadLocale();
  ~ThreadLocale();
  ThreadLocale(const ThreadLocale&) = delete;
  ThreadLocale& operator=(const ThreadLocale&) = delete;

  // False when no UTF-8 locale exists on this machine; names then stay as libarchive gives them.
  bool ok() const { return own_ != nullptr; }

 private:
  locale_t own_ = nullptr;
  locale_t previous_ = nullptr;
};

}  // namespace unz
