// Rules for the names stored in an archive: where an entry may land and where a link may
// point. Both treat "\" as a separator, because zips made by Windows tools use it.
#pragma once

#include <string>
#include <string_view>

namespace unz {

struct EntryPath {
  bool ok = false;
  std::string relative;  // "/"-separated, below the target folder, without "." parts
  std::string why;       // when refused
};

// Cleans an entry name and refuses one that would land outside the target folder: absolute,
// with a drive letter ("C:\x", "C:x"), or with a ".." part.
EntryPath CleanEntryPath(std::string_view name);

// True when a link stored at `relative` (a cleaned path) with this target stays inside the
// target folder. Only leading ".." parts are allowed, no deeper than the link's own folder:
// a ".." after a name could climb out of a folder that is itself a link.
bool LinkStaysInside(std::string_view relative, std::string_view target);

}  // namespace unz
