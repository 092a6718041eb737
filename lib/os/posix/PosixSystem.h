// The OS layer on POSIX: Windows paths over a drive map, real files, real processes.
#pragma once

#include <string>

#include "os/PathMap.h"
#include "os/System.h"

namespace os {

class PosixSystem : public System {
 public:
  // windowsDirectory is what the system reports as its Windows directory ("C:\WINDOWS").
  // programFile is the host path the program was started as; empty: the executable's own
  // file. A product is often deployed as a link named for it (ABC_setup -> setup), and
  // only the name it was started by carries the product code.
  PosixSystem(PathMap drives, std::string windowsDirectory, std::string programFile = "");

  std::string WindowsDirectory() override { return windowsDirectory_; }
  std::string ProgramPath() override;
  bool DirectoryExists(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::string CurrentDirectory() override;
  std::optional<std::int64_t> FileSize(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFile(const std::string& path) override;
  bool OpenProgram(const std::string& file, const std::string& parameters,
                   const std::string& workingDirectory) override;
  std::vector<Drive> Drives() override;
  std::vector<std::string> SubFolders(const std::string& path) override;
  ClockReading Now() override;
  void Pause(int milliseconds) override;
  std::string HostPath(const std::string& path) override;

  const PathMap& Map() const { return map_; }

 private:
  char CurrentDrive();

  PathMap map_;
  std::string windowsDirectory_;
  std::string programFile_;
};

}  // namespace os
