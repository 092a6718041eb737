#include "SpecMatcher.h"

#include <fnmatch.h>

#include <algorithm>

namespace unz {

SpecMatcher::SpecMatcher(const char* const* specs, size_t count) {
  for (size_t i = 0; specs != nullptr && i < count; ++i) {
    if (specs[i] == nullptr || specs[i][0] == '\0') continue;
    std::string pattern = specs[i];
    if (pattern == "*.*") return;  // every entry, as on Windows (also names without a dot)
    std::replace(pattern.begin(), pattern.end(), '\\', '/');
    specs_.push_back(pattern);
  }
  all_ = specs_.empty();
}

bool SpecMatcher::Matches(const std::string& relative) const {
  if (all_) return true;
  const size_t slash = relative.rfind('/');
  const std::string name = slash == std::string::npos ? relative : relative.substr(slash + 1);
  for (const std::string& pattern : specs_) {
    const bool wholePath = pattern.find('/') != std::string::npos;
    const std::string& subject = wholePath ? relative : name;
    if (fnmatch(pattern.c_str(), subject.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) == 0) return true;
  }
  return false;
}

}  // namespace unz
