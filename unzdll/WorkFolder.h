// Gives the calling thread a current folder of its own and moves it into the target folder,
// creating the folder (and its parents) when missing.
//
// libarchive refuses absolute paths under its secure flags, so entries must be written by
// relative paths from inside the target; changing the process's current folder would move
// the host's (its GUI runs inside our callbacks), hence a private one for the worker thread.
#pragma once

#include <string>

namespace unz {

struct WorkFolder {
  bool ok = false;
  // Prepended to every entry path: empty when the thread stands in the target folder, else
  // the target's absolute path with a final "/" (when the system refused a private folder).
  std::string prefix;
  std::string error;
};

// Call on the worker thread, after anything relative to the old current folder is opened.
WorkFolder EnterWorkFolder(const std::string& baseDir);

}  // namespace unz
