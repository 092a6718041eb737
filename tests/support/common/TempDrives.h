// Temporary drives for tests: a fresh folder per test holding one sub-folder per drive letter,
// an OS layer over them, and a clock the test drives by hand.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "os/posix/PosixSystem.h"

namespace testing_support {

// A clock that stands still until the test (or a pause) moves it.
struct FakeClock {
  long long nowMs = 0;   // milliseconds since an arbitrary midnight
  long long paused = 0;  // total milliseconds the code under test paused for
};

// The OS layer over temporary drives, with a fake clock. Pauses advance the clock instead of
// sleeping, so retry pauses cost no real time.
class TestSystem : public os::PosixSystem {
 public:
  TestSystem(os::PathMap drives, std::string windowsDirectory, FakeClock& clock)
      : os::PosixSystem(std::move(drives), std::move(windowsDirectory)), clock_(clock) {}

  os::ClockReading Now() override {
    return {static_cast<int>(clock_.nowMs / 1000 % 60), static_cast<int>(clock_.nowMs % 1000)};
  }
  void Pause(int milliseconds) override {
    clock_.nowMs += milliseconds;
    clock_.paused += milliseconds;
  }
  // The program path the window sees; tests set it to any name.
  std::string programPath = "C:\\Down\\ABC_setup.exe";
  std::string ProgramPath() override { return programPath; }

  // Programs "started": file, parameters, working folder. Nothing is run.
  struct Started {
    std::string file, parameters, folder;
  };
  std::vector<Started> started;
  bool runPrograms = false;
  bool OpenProgram(const std::string& file, const std::string& parameters,
                   const std::string& folder) override {
    started.push_back({file, parameters, folder});
    return runPrograms ? os::PosixSystem::OpenProgram(file, parameters, folder) : true;
  }

 private:
  FakeClock& clock_;
};

// Drive folders inside a temporary folder: letters given (e.g. "CE"), each backed by
// <temp>/<letter>. The process's current folder moves to drive C:'s root and is restored
// at the end, since the window makes folders current.
class TempDrives {
 public:
  explicit TempDrives(const std::string& letters = "C",
                      const std::string& windowsDir = "C:\\WINDOWS");
  ~TempDrives();

  TestSystem& System() { return system_; }
  FakeClock& Clock() { return clock_; }
  // Host path of a Windows path on these drives.
  std::filesystem::path Host(const std::string& windowsPath) {
    return system_.HostPath(windowsPath);
  }
  void WriteFile(const std::string& windowsPath, const std::string& content);
  std::string ReadFile(const std::string& windowsPath);

 private:
  static os::PathMap MakeMap(const std::filesystem::path& root, const std::string& letters);

  TempFolder temp_;
  FakeClock clock_;
  TestSystem system_;
  std::filesystem::path savedCurrent_;
};

}  // namespace testing_support
