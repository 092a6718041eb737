#include "gui/DirectoryListBox.h"

#include <algorithm>
#include <cctype>

#include "gui/DriveComboBox.h"
#include "os/System.h"

namespace gui {
namespace {

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// "C:" and "C:\" are the root; any other folder loses its final "\".
std::string Canonical(std::string path) {
  if (path.size() == 2) return path + "\\";
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

DirectoryListBox::DirectoryListBox(Form* owner, std::string name)
    : Control(owner, std::move(name)) {}

void DirectoryListBox::Attach(os::System& system) {
  system_ = &system;
  directory_ = Canonical(system.CurrentDirectory());
  Rebuild();
}

void DirectoryListBox::SetDirectory(const std::string& path) {
  if (system_ == nullptr || !HasDrive(path)) return;
  const std::string folder = Canonical(path);
  if (!system_->DirectoryExists(folder)) return;
  system_->SetCurrentDirectory(folder);
  const char oldDrive = directory_.empty() ? 0 : directory_[0];
  directory_ = folder;
  Rebuild();
  if (driveBox_ != nullptr && std::toupper(static_cast<unsigned char>(oldDrive)) !=
                                  std::toupper(static_cast<unsigned char>(folder[0]))) {
    driveBox_->Follow(folder[0]);
  }
}

void DirectoryListBox::Rebuild() {
  items_.clear();
  if (!HasDrive(directory_)) return;
  const std::string root = directory_.substr(0, 3);
  std::string rootCaption = root;
  rootCaption[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(root[0])));
  items_.push_back({rootCaption, root, 0, true});

  // Each folder on the way down to the open one, the open one last.
  std::string walked = root;
  int level = 0;
  std::size_t start = 3;
  while (start < directory_.size()) {
    std::size_t end = directory_.find('\\', start);
    if (end == std::string::npos) end = directory_.size();
    const std::string name = directory_.substr(start, end - start);
    walked = (walked.back() == '\\' ? walked : walked + "\\") + name;
    items_.push_back({name, walked, ++level, true});
    start = end + 1;
  }
  itemIndex_ = static_cast<int>(items_.size()) - 1;

  std::vector<std::string> subs = system_->SubFolders(directory_);
  std::sort(subs.begin(), subs.end(), LessNoCase);
  const std::string base = directory_.back() == '\\' ? directory_ : directory_ + "\\";
  for (const auto& sub : subs) items_.push_back({sub, base + sub, level + 1, false});
  Changed();
}

void DirectoryListBox::Select(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  itemIndex_ = index;
  Changed();
  Fire(OnClick);
}

void DirectoryListBox::OpenItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  const std::string path = items_[static_cast<std::size_t>(index)].path;
  // Straight from user input: anything that goes wrong ends here, in the error box.
  Fire([this, path] { SetDirectory(path); });
}

}  // namespace gui
