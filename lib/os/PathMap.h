// How Windows paths map onto a POSIX file system: each drive letter is backed by a folder
// (C: by the system drive's folder, Z: by "/"), the way a Windows compatibility layer does.
#pragma once

#include <string>
#include <vector>

#include "os/System.h"

namespace os {

struct DriveMapping {
  char letter = 'C';       // upper case
  std::string hostFolder;  // absolute, without a final "/" (except "/" itself)
  DriveKind kind = DriveKind::Fixed;
  std::string label;
};

class PathMap {
 public:
  explicit PathMap(std::vector<DriveMapping> drives);

  const std::vector<DriveMapping>& Drives() const { return drives_; }

  // "C:\a\b" -> "<C folder>/a/b". A path without a drive ("z.zip", "a\b") stays relative;
  // "\a" is taken on currentDrive. An unknown drive letter maps to a folder that cannot
  // exist, so operations on it fail instead of touching the host's own tree.
  std::string ToHost(const std::string& windowsPath, char currentDrive = 'C') const;
  // "/x/y" -> the Windows path on the drive whose folder holds it most closely.
  std::string ToWindows(const std::string& hostPath) const;

 private:
  const DriveMapping* Find(char letter) const;
  std::vector<DriveMapping> drives_;
};

}  // namespace os
