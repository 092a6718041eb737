#include "ScratchDir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>
#include <vector>

namespace zipfixture {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ziptest-XXXXXX").string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + pattern);
  path_ = buf.data();
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zipfixture
