#include "gui/DriveComboBox.h"

#include <cctype>

#include "gui/DirectoryListBox.h"
#include "os/System.h"

namespace gui {

void DriveComboBox::Attach(os::System& system) {
  system_ = &system;
  items_.clear();
  letters_.clear();
  for (const os::Drive& drive : system.Drives()) {
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(drive.letter)));
    std::string item = std::string(1, letter) + ":";
    switch (drive.kind) {
      case os::DriveKind::Fixed:
      case os::DriveKind::CdRom:
      case os::DriveKind::Ram:
      case os::DriveKind::Network:
        if (!drive.label.empty()) item += " [" + drive.label + "]";
        break;
      default:
        break;
    }
    items_.push_back(item);
    letters_.push_back(letter);
  }
  const std::string current = system.CurrentDirectory();
  if (!current.empty())
    drive_ = static_cast<char>(std::tolower(static_cast<unsigned char>(current[0])));
  Changed();
}

void DriveComboBox::SetDirList(DirectoryListBox* list) {
  dirList_ = list;
  if (list != nullptr) list->SetDriveBox(this);
}

int DriveComboBox::ItemIndex() const {
  for (std::size_t i = 0; i < letters_.size(); ++i) {
    if (letters_[i] == drive_) return static_cast<int>(i);
  }
  return -1;
}

void DriveComboBox::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(letters_.size())) return;
  drive_ = letters_[static_cast<std::size_t>(index)];
  Changed();
  if (dirList_ != nullptr) {
    // A drive's current folder is its root here: the list opens there.
    dirList_->SetDirectory(std::string(1, static_cast<char>(std::toupper(drive_))) + ":\\");
  }
}

void DriveComboBox::Follow(char letter) {
  drive_ = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  Changed();
}

}  // namespace gui
