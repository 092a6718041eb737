// The drive C: the executable under test sees. Its folder is fixed at build time; each test
// gets it empty and leaves it empty. In private namespaces a temporary folder of the test's
// own is bound over it, so the test's files never land in the build tree.
#pragma once

#include <filesystem>
#include <memory>

#include "TempDrives.h"

namespace e2e {

class TestDriveC {
 public:
  explicit TestDriveC(std::filesystem::path fixedFolder);
  ~TestDriveC();
  TestDriveC(const TestDriveC&) = delete;
  TestDriveC& operator=(const TestDriveC&) = delete;

  // Host path of a Windows path on drive C: ("C:\temp$\z.txt" or "temp$\z.txt").
  std::filesystem::path Host(const std::string& windowsPath) const;
  const std::filesystem::path& Root() const { return folder_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<testing_support::TempFolder> backing_;
  bool mounted_ = false;
};

}  // namespace e2e
