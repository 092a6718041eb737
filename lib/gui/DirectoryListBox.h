// The folder list: one open folder, shown as the drive's root, each folder on the way down,
// the open folder itself, then its immediate sub-folders (case-insensitive order).
#pragma once

#include <string>
#include <vector>

#include "gui/Control.h"

namespace os {
class System;
}

namespace gui {

class DriveComboBox;

class DirectoryListBox : public Control {
 public:
  struct Item {
    std::string caption;  // "c:\" for the root, else the folder's name
    std::string path;     // the folder's full path, without a final "\" except for a root
    int level = 0;        // indentation: 0 for the root
    bool open = false;    // on the way down to (or being) the open folder
  };

  DirectoryListBox(Form* owner, std::string name);

  // Must be called before use: the list reads folders through the OS layer. Opens the
  // process's current folder.
  void Attach(os::System& system);
  // The drive box that follows this list.
  void SetDriveBox(DriveComboBox* box) { driveBox_ = box; }

  // The open folder.
  const std::string& Directory() const { return directory_; }
  // Opens an existing folder (a final "\" is allowed) and makes it the current folder;
  // a missing folder changes nothing. Never raises.
  void SetDirectory(const std::string& path);

  const std::vector<Item>& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  int ItemHeight = 16;
  bool CanFocus() const override { return true; }

  Handler OnClick;
  // A single click or an arrow key: selects only, then fires OnClick.
  void Select(int index);
  // A double-click: opens the entry; no OnClick follows.
  void OpenItem(int index);

 private:
  void Rebuild();

  os::System* system_ = nullptr;
  DriveComboBox* driveBox_ = nullptr;
  std::string directory_;
  std::vector<Item> items_;
  int itemIndex_ = -1;
};

}  // namespace gui
