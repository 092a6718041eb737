#include "EntryPath.h"

#include <vector>

namespace unz {
namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool HasDriveLetter(std::string_view s) {
  return s.size() >= 2 && s[1] == ':' &&
         ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// Splits at both separators, dropping empty and "." parts.
std::vector<std::string_view> Parts(std::string_view s) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || IsSeparator(s[i])) {
      std::string_view part = s.substr(start, i - start);
      if (!part.empty() && part != ".") parts.push_back(part);
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace

EntryPath CleanEntryPath(std::string_view name) {
  EntryPath result;
  if (!name.empty() && IsSeparator(name[0])) {
    result.why = "absolute path";
    return result;
  }
  if (HasDriveLetter(name)) {
    result.why = "path with a drive letter";
    return result;
  }
  for (std::string_view part : Parts(name)) {
    if (part == "..") {
      result.why = "path climbs out with \"..\"";
      return result;
    }
    if (!result.relative.empty()) result.relative += '/';
    result.relative += part;
  }
  if (result.relative.empty()) {
    result.why = "empty name";
    return result;
  }
  result.ok = true;
  return result;
}

bool LinkStaysInside(std::string_view relative, std::string_view target) {
  if (target.empty() || IsSeparator(target[0]) || HasDriveLetter(target)) return false;
  long depth = static_cast<long>(Parts(relative).size()) - 1;  // folders above the link
  bool seenName = false;
  for (std::string_view part : Parts(target)) {
    if (part != "..") {
      seenName = true;
    } else if (seenName || --depth < 0) {
      return false;
    }
  }
  return true;
}

}  // namespace unz
