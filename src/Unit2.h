// The install-folder dialog. It keeps no data of its own: it reads the main window's `ipath`
// when shown and writes it back on OK.
#pragma once

#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/Form.h"
#include "os/System.h"

namespace setup {

class TForm2 : public gui::Form {
 public:
  // ipath is the main window's install-folder label.
  TForm2(gui::Application& app, os::System& system, gui::Label& ipath);

  gui::Label& Label1;
  gui::Edit& Edit1;
  gui::Label& Label2;
  gui::DirectoryListBox& DirectoryListBox1;
  gui::DriveComboBox& DriveComboBox1;
  gui::Button& OKBtn;
  gui::Button& CancelBtn;

  void FormActivate();
  void DirectoryListBox1Click();
  void OKBtnClick();

 private:
  gui::Label& ipath_;
};

}  // namespace setup
