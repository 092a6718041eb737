// The operating-system services the assistant needs, behind one seam.
//
// Everything above this layer speaks Windows paths ("C:\temp$\z.zip"). An implementation
// translates them to the host's own paths at its edge; nothing above it knows how.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace os {

enum class DriveKind { Fixed, Removable, CdRom, Ram, Network, Unknown };

struct Drive {
  char letter = 'C';  // upper case
  DriveKind kind = DriveKind::Fixed;
  std::string label;  // volume label, or the shared folder of a network drive
};

// A reading of the local wall clock, down to the millisecond.
struct ClockReading {
  int second = 0;       // 0..59
  int millisecond = 0;  // 0..999
};

class System {
 public:
  virtual ~System() = default;

  // The Windows directory as the system reports it, e.g. "C:\WINDOWS".
  virtual std::string WindowsDirectory() = 0;
  // Full path of the running program file in Windows form, e.g. "C:\Down\ABC_setup".
  virtual std::string ProgramPath() = 0;

  virtual bool DirectoryExists(const std::string& path) = 0;
  // Creates one folder; its parent must exist. False when it could not be created.
  virtual bool CreateDirectory(const std::string& path) = 0;
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  virtual std::string CurrentDirectory() = 0;

  // Size in bytes, or nullopt when the file cannot be opened.
  virtual std::optional<std::int64_t> FileSize(const std::string& path) = 0;
  // The whole file, or nullopt when it cannot be opened for reading.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Copies a file, replacing the target unless failIfExists.
  virtual bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;

  // Starts a program with a parameter string (split by the Windows command-line rules) and a
  // working folder. Does not wait for it. False when it could not be started.
  virtual bool OpenProgram(const std::string& file, const std::string& parameters,
                           const std::string& workingDirectory) = 0;

  // The drives present, in letter order.
  virtual std::vector<Drive> Drives() = 0;
  // Names of the immediate sub-folders of a folder, hidden and system ones left out, unsorted.
  virtual std::vector<std::string> SubFolders(const std::string& path) = 0;

  virtual ClockReading Now() = 0;
  // Gives the processor away for a few milliseconds (the retry pause polls the clock).
  virtual void Pause(int milliseconds) = 0;

  // The host's own path for a Windows path, for code that must hand a path to a library.
  virtual std::string HostPath(const std::string& path) = 0;
};

}  // namespace os
