// Which entries a job asks for: "*.*" or no patterns at all means every entry; otherwise
// an entry is taken when any pattern matches it, with Windows-style wildcards ("*", "?") and no
// regard to letter case. A pattern without a folder part matches the file name in any folder.
#pragma once

#include <string>
#include <vector>

namespace unz {

class SpecMatcher {
 public:
  SpecMatcher(const char* const* specs, size_t count);
  bool Matches(const std::string& relative) const;

 private:
  bool all_ = true;
  std::vector<std::string> specs_;  // "/"-separated
};

}  // namespace unz
