#include "WorkFolder.h"

#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace unz {
namespace {

// mkdir -p; false with errno set when a part cannot be made.
bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '/') continue;
    const std::string part = path.substr(0, i);
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

WorkFolder EnterWorkFolder(const std::string& baseDir) {
  WorkFolder result;
  const std::string base = baseDir.empty() ? "." : baseDir;
  if (!MakeFolders(base)) {
    result.error = "cannot create the target folder " + base + ": " + std::strerror(errno);
    return result;
  }
  if (unshare(CLONE_FS) == 0) {
    if (chdir(base.c_str()) != 0) {
      result.error = "cannot enter the target folder " + base + ": " + std::strerror(errno);
      return result;
    }
    result.ok = true;
    return result;
  }
  // Without a private current folder we write by absolute paths; our own checks already
  // keep every entry below the target.
  char resolved[PATH_MAX];
  if (realpath(base.c_str(), resolved) == nullptr) {
    result.error = "cannot resolve the target folder " + base + ": " + std::strerror(errno);
    return result;
  }
  result.prefix = resolved;
  if (result.prefix.back() != '/') result.prefix += '/';
  result.ok = true;
  return result;
}

}  // namespace unz
