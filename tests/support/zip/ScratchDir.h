// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace zipfixture {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

 private:
  std::filesystem::path path_;
};

}  // namespace zipfixture
