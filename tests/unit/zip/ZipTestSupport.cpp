#include "ZipTestSupport.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string FakeSystem::HostPath(const std::string& path) {
  std::string rest = path;
  std::string prefix;
  if (rest.size() >= 2 && rest[1] == ':') {
    prefix = (root_ / std::string(1, static_cast<char>(std::toupper(rest[0])))).string();
    rest = rest.substr(2);
    if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) rest = "/" + rest;
  }
  std::replace(rest.begin(), rest.end(), '\\', '/');
  return prefix + rest;
}

std::optional<std::string> ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TreeBelow(const fs::path& dir) {
  std::vector<std::string> found;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    found.push_back(it->path().lexically_relative(dir).generic_string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

void PlaceLibrary(const fs::path& from, const fs::path& dir) {
  fs::create_directories(dir);
  fs::copy_file(from, dir / "UNZDLL.DLL", fs::copy_options::overwrite_existing);
}

CurrentFolder::CurrentFolder(const fs::path& dir) : previous_(fs::current_path()) {
  fs::current_path(dir);
}

CurrentFolder::~CurrentFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}
