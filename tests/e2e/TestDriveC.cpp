#include "TestDriveC.h"

#include <sys/mount.h>

#include <stdexcept>

#include "Sandbox.h"

namespace e2e {
namespace fs = std::filesystem;
namespace {

void Empty(const fs::path& folder) {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) fs::remove_all(entry, ignored);
}

}  // namespace

TestDriveC::TestDriveC(fs::path fixedFolder) : folder_(std::move(fixedFolder)) {
  fs::create_directories(folder_);
  if (InPrivateNamespaces()) {
    backing_ = std::make_unique<testing_support::TempFolder>();
    if (::mount(backing_->Path().c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      throw std::runtime_error("cannot bind a temporary folder over " + folder_.string());
    }
    mounted_ = true;
  } else {
    Empty(folder_);
  }
}

TestDriveC::~TestDriveC() {
  if (mounted_) {
    ::umount2(folder_.c_str(), MNT_DETACH);
  } else {
    Empty(folder_);
  }
}

fs::path TestDriveC::Host(const std::string& windowsPath) const {
  std::string relative = windowsPath;
  if (relative.size() >= 2 && relative[1] == ':') relative.erase(0, 2);
  while (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  return folder_ / relative;
}

}  // namespace e2e
