// Helpers shared by the zip tests: a System whose drives are folders of a scratch folder, a
// ZipHost that records what the component shows and asks, and small file readers.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/System.h"
#include "zip/ZipMaster.h"

// Maps "X:\a\b" to <root>/X/a/b and turns "\" into "/" in relative paths. Only HostPath is
// used by the component; the rest answers plainly.
class FakeSystem : public os::System {
 public:
  explicit FakeSystem(std::filesystem::path root) : root_(std::move(root)) {}

  std::string HostPath(const std::string& path) override;
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::string ProgramPath() override { return "C:\\ABC_setup.exe"; }
  bool DirectoryExists(const std::string&) override { return false; }
  bool CreateDirectory(const std::string&) override { return false; }
  bool SetCurrentDirectory(const std::string&) override { return false; }
  std::string CurrentDirectory() override { return ""; }
  std::optional<std::int64_t> FileSize(const std::string&) override { return std::nullopt; }
  std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
  bool CopyFile(const std::string&, const std::string&, bool) override { return false; }
  bool DeleteFile(const std::string&) override { return false; }
  bool OpenProgram(const std::string&, const std::string&, const std::string&) override {
    return false;
  }
  std::vector<os::Drive> Drives() override { return {}; }
  std::vector<std::string> SubFolders(const std::string&) override { return {}; }
  os::ClockReading Now() override { return {}; }
  void Pause(int) override {}

 private:
  std::filesystem::path root_;
};

class RecordingHost : public zip::ZipHost {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ProcessMessages() override {
    ++processed;
    if (onProcessMessages) onProcessMessages();
  }
  std::optional<std::string> AskPassword(const std::string& entry) override {
    askedFor.push_back(entry);
    return password;
  }

  std::vector<std::string> messages;
  int processed = 0;
  std::function<void()> onProcessMessages;  // a GUI handler running nested
  std::optional<std::string> password;
  std::vector<std::string> askedFor;
};

// Contents of a file, or nullopt when it cannot be read.
std::optional<std::string> ReadText(const std::filesystem::path& path);
// Every file, folder and link below `dir`, as relative "/"-paths, sorted.
std::vector<std::string> TreeBelow(const std::filesystem::path& dir);
// Copies a built library into `dir` under the name the component looks for.
void PlaceLibrary(const std::filesystem::path& from, const std::filesystem::path& dir);

// Runs the test body with `dir` as the current folder, as the main window does for "z.zip".
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& dir);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};
