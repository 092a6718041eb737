#include "os/PathMap.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace os {
namespace {

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string Slashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string Backslashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The parts of a rooted path with "." dropped and ".." applied, never climbing above the
// root: on Windows "C:\.." is "C:\", and a path must not leave its drive's folder here either.
std::string Normalised(const std::string& rooted) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rooted.size()) {
    std::size_t end = rooted.find_first_of("\\/", start);
    if (end == std::string::npos) end = rooted.size();
    const std::string part = rooted.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& part : parts) out += "/" + part;
  // A final separator is kept: callers use it to mean "this folder".
  const bool trailing = !rooted.empty() && (rooted.back() == '\\' || rooted.back() == '/');
  if (out.empty()) return "/";
  return trailing ? out + "/" : out;
}

std::string Trimmed(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

PathMap::PathMap(std::vector<DriveMapping> drives) : drives_(std::move(drives)) {
  for (auto& drive : drives_) {
    drive.letter = Upper(drive.letter);
    drive.hostFolder = Trimmed(drive.hostFolder);
  }
  std::sort(drives_.begin(), drives_.end(),
            [](const DriveMapping& a, const DriveMapping& b) { return a.letter < b.letter; });
}

const DriveMapping* PathMap::Find(char letter) const {
  for (const auto& drive : drives_) {
    if (drive.letter == Upper(letter)) return &drive;
  }
  return nullptr;
}

std::string PathMap::ToHost(const std::string& windowsPath, char currentDrive) const {
  std::string path = windowsPath;
  char letter = currentDrive;
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    letter = path[0];
    path = path.substr(2);
    if (path.empty() || (path[0] != '\\' && path[0] != '/')) path = "\\" + path;
  } else if (path.empty() || (path[0] != '\\' && path[0] != '/')) {
    return Slashes(path);  // relative: resolved against the current folder by the host
  }
  const DriveMapping* drive = Find(letter);
  const std::string base =
      drive != nullptr ? drive->hostFolder : "/nonexistent-drive-" + std::string(1, Upper(letter));
  std::string rest = Normalised(path);
  if (base == "/") return rest;
  if (rest == "/") return base;
  return base + rest;
}

std::string PathMap::ToWindows(const std::string& hostPath) const {
  const DriveMapping* best = nullptr;
  for (const auto& drive : drives_) {
    const std::string& folder = drive.hostFolder;
    const bool inside =
        folder == "/" || hostPath == folder ||
        (hostPath.size() > folder.size() && hostPath.compare(0, folder.size(), folder) == 0 &&
         hostPath[folder.size()] == '/');
    if (inside && (best == nullptr || folder.size() > best->hostFolder.size())) best = &drive;
  }
  if (best == nullptr) return Backslashes(hostPath);
  std::string rest = best->hostFolder == "/" ? hostPath : hostPath.substr(best->hostFolder.size());
  if (rest.empty()) rest = "/";
  return std::string(1, best->letter) + ":" + Backslashes(rest);
}

}  // namespace os
