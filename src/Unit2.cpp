#include "Unit2.h"

#include "FormBuilder.h"
#include "res/Layouts.h"

namespace setup {

TForm2::TForm2(gui::Application& app, os::System& system, gui::Label& ipath)
    : gui::Form(app, "Form2"),
      Label1(ControlOf<gui::Label>(BuildForm(*this, res::kFolderDialog), "Label1")),
      Edit1(ControlOf<gui::Edit>(*this, "Edit1")),
      Label2(ControlOf<gui::Label>(*this, "Label2")),
      DirectoryListBox1(ControlOf<gui::DirectoryListBox>(*this, "DirectoryListBox1")),
      DriveComboBox1(ControlOf<gui::DriveComboBox>(*this, "DriveComboBox1")),
      OKBtn(ControlOf<gui::Button>(*this, "OKBtn")),
      CancelBtn(ControlOf<gui::Button>(*this, "CancelBtn")),
      ipath_(ipath) {
  // The list opens on the folder the process is in when the dialog is made.
  DirectoryListBox1.Attach(system);
  DriveComboBox1.Attach(system);
  DriveComboBox1.SetDirList(&DirectoryListBox1);
  DirectoryListBox1.OnClick = [this] { DirectoryListBox1Click(); };
  OKBtn.OnClick = [this] { OKBtnClick(); };
  OnActivate = [this] { FormActivate(); };
}

void TForm2::FormActivate() {
  Edit1.SetText(ipath_.Caption());
  DirectoryListBox1.SetDirectory(Edit1.Text());
}

void TForm2::DirectoryListBox1Click() {
  Edit1.SetText(DirectoryListBox1.Directory());
}

void TForm2::OKBtnClick() {
  ipath_.SetCaption(Edit1.Text());
}

}  // namespace setup
