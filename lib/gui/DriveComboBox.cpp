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
  const char letter = letters_[static_cast<std::size_t>(index)];
  // Straight from user input: anything that goes wrong ends here, in the error box.
  Fire([this, letter] {
    if (dirList_ == nullptr) {
      Follow(letter);
      return;
    }
    // A drive's current folder is its root here: the list opens there, and the box follows
    // the list only when it did (a drive that cannot be read leaves both where they were).
    dirList_->SetDirectory(std::string(1, static_cast<char>(std::toupper(letter))) + ":\\");
    Follow(dirList_->Directory().empty() ? drive_ : dirList_->Directory()[0]);
  });
}

void DriveComboBox::Follow(char letter) {
  drive_ = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  Changed();
}

}  // namespace gui
