// A loaded UNZDLL.DLL and its two entry points. Unloads itself when the last owner lets go.
#pragma once

#include <memory>
#include <string>

#include "zip/unzdll_abi.h"

namespace zip {

class UnzLibrary {
 public:
  enum class Failure { None, Missing, Unusable, TooOld };
  struct Loaded {
    std::shared_ptr<UnzLibrary> library;  // null on failure
    Failure failure = Failure::None;
    std::string detail;  // the loader's words, or the version found
    int version = 0;
  };

  // Loads `filePath` when that file exists, else searches the system for `fileName`.
  static Loaded Load(const std::string& filePath, const std::string& fileName, int minVersion);

  ~UnzLibrary();
  UnzLibrary(const UnzLibrary&) = delete;
  UnzLibrary& operator=(const UnzLibrary&) = delete;

  int Version() const { return version_; }
  int Exec(const UnzJob& job) const { return exec_(&job); }

 private:
  UnzLibrary(void* handle, UnzDllExecFn exec, int version)
      : handle_(handle), exec_(exec), version_(version) {}

  void* handle_;
  UnzDllExecFn exec_;
  int version_;
};

}  // namespace zip
