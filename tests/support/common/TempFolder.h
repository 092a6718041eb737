// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A folder of the test's own, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
