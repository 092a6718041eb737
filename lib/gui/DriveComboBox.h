// The drive box: the drives present, each as "c:" plus the volume label of fixed, CD and RAM
// drives in brackets (or the shared folder of a network drive). Choosing a drive opens that
// drive's current folder in the bound folder list.
#pragma once

#include <string>
#include <vector>

#include "gui/Control.h"

namespace os {
class System;
}

namespace gui {

class DirectoryListBox;

class DriveComboBox : public Control {
 public:
  using Control::Control;

  void Attach(os::System& system);
  // Binds the folder list it drives (and that it follows).
  void SetDirList(DirectoryListBox* list);

  const std::vector<std::string>& Items() const { return items_; }
  // The selected drive's letter, lower case.
  char Drive() const { return drive_; }
  int ItemIndex() const;
  // The user chose an entry: opens that drive's current folder in the list.
  void Choose(int index);
  // The list opened a folder on another drive: follow it without driving the list back.
  void Follow(char letter);
  bool CanFocus() const override { return true; }

 private:
  os::System* system_ = nullptr;
  DirectoryListBox* dirList_ = nullptr;
  std::vector<std::string> items_;
  std::vector<char> letters_;
  char drive_ = 'c';
};

}  // namespace gui
