#include "TempDrives.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace fs = std::filesystem;

os::PathMap TempDrives::MakeMap(const fs::path& root, const std::string& letters) {
  std::vector<os::DriveMapping> drives;
  for (char letter : letters) {
    const fs::path folder = root / std::string(1, letter);
    fs::create_directories(folder);
    drives.push_back(
        {letter, folder.string(), os::DriveKind::Fixed, std::string("DISK_") + letter});
  }
  return os::PathMap(drives);
}

TempDrives::TempDrives(const std::string& letters, const std::string& windowsDir)
    : system_(MakeMap(temp_.Path(), letters), windowsDir, clock_),
      savedCurrent_(fs::current_path()) {
  fs::current_path(temp_.Path() / std::string(1, letters.at(0)));
}

TempDrives::~TempDrives() {
  std::error_code ignored;
  fs::current_path(savedCurrent_, ignored);
}

void TempDrives::WriteFile(const std::string& windowsPath, const std::string& content) {
  const fs::path host = Host(windowsPath);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << content;
}

std::string TempDrives::ReadFile(const std::string& windowsPath) {
  std::ifstream in(Host(windowsPath), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace testing_support
