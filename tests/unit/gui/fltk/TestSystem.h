// Drives C: and D: over the test's own temporary folder, C: holding a few folders with
// Korean and mixed-case names; the process's current folder is put back afterwards.
#pragma once

#include <filesystem>

#include "TempDrives.h"
#include "os/posix/PosixSystem.h"

namespace guitest {

class TempSystem {
 public:
  TempSystem()
      : oldCwd_(std::filesystem::current_path()),
        system_(os::PathMap({{'C', (temp_.Path() / "c").string(), os::DriveKind::Fixed, "SYSTEM"},
                             {'D', (temp_.Path() / "d").string(), os::DriveKind::Fixed, "DATA"}}),
                "C:\\WINDOWS") {
    for (const char* folder : {"c/Program Files/데모", "c/apple", "c/Banana", "c/WINDOWS", "d"})
      std::filesystem::create_directories(temp_.Path() / folder);
    system_.SetCurrentDirectory("C:\\Program Files");
  }
  ~TempSystem() { std::filesystem::current_path(oldCwd_); }

  os::System& System() { return system_; }
  const std::filesystem::path& Folder() const { return temp_.Path(); }

 private:
  std::filesystem::path oldCwd_;
  testing_support::TempFolder temp_;
  os::PosixSystem system_;
};

}  // namespace guitest
