#include "UnzLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace zip {
namespace {

std::string LoaderError() {
  const char* text = dlerror();
  return text != nullptr ? text : "";
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

UnzLibrary::Loaded UnzLibrary::Load(const std::string& filePath, const std::string& fileName,
                                    int minVersion) {
  Loaded result;
  void* handle = nullptr;
  if (IsFile(filePath)) {
    // A name without "/" would make dlopen search instead of opening this very file.
    const std::string path = filePath.find('/') == std::string::npos ? "./" + filePath : filePath;
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      result.failure = Failure::Unusable;
      result.detail = LoaderError();
      return result;
    }
  } else {
    handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      result.failure = Failure::Missing;
      result.detail = LoaderError();
      return result;
    }
  }
  auto version = reinterpret_cast<GetUnzDllVersionFn>(dlsym(handle, "GetUnzDllVersion"));
  auto exec = reinterpret_cast<UnzDllExecFn>(dlsym(handle, "UnzDllExec"));
  if (version == nullptr || exec == nullptr) {
    dlclose(handle);
    result.failure = Failure::Unusable;
    result.detail = "GetUnzDllVersion/UnzDllExec not found";
    return result;
  }
  result.version = version();
  if (result.version < minVersion) {
    dlclose(handle);
    result.failure = Failure::TooOld;
    return result;
  }
  result.library.reset(new UnzLibrary(handle, exec, result.version));
  return result;
}

UnzLibrary::~UnzLibrary() {
  dlclose(handle_);
}

}  // namespace zip
