#include "ZipHostAdapter.h"

#include "gui/Controls.h"
#include "gui/Form.h"

namespace setup {

// A small modal prompt for the password of an encrypted archive entry.
class PasswordForm : public gui::Form {
 public:
  explicit PasswordForm(gui::Application& app) : gui::Form(app, "PasswordForm") {
    SetCaption("암호 입력");
    SetBorder(gui::BorderStyle::Dialog);
    SetClientSize(320, 110);
    prompt.SetAutoSize(false);
    prompt.SetBounds(12, 12, 296, 14);
    edit.SetBounds(12, 34, 296, 22);
    edit.SetPassword(true);
    edit.SetTabOrder(0);
    ok.SetCaption("확 인");
    ok.SetBounds(150, 70, 75, 25);
    ok.SetDefault(true);
    ok.SetModalResult(gui::mrOk);
    ok.SetTabOrder(1);
    cancel.SetCaption("취 소");
    cancel.SetBounds(233, 70, 75, 25);
    cancel.SetCancel(true);
    cancel.SetModalResult(gui::mrCancel);
    cancel.SetTabOrder(2);
  }
  gui::Label& prompt = Add<gui::Label>("Label1");
  gui::Edit& edit = Add<gui::Edit>("Edit1");
  gui::Button& ok = Add<gui::Button>("OKBtn");
  gui::Button& cancel = Add<gui::Button>("CancelBtn");
};

std::optional<std::string> ZipHostAdapter::AskPassword(const std::string& entry) {
  // Made once, on first need, and kept like the other windows until the end of the run.
  if (form_ == nullptr) form_ = &app_.CreateForm<PasswordForm>();
  PasswordForm* form = form_;
  form->prompt.SetCaption(entry + " 의 암호를 입력하세요");
  form->edit.SetText("");
  if (form->ShowModal() != gui::mrOk) return std::nullopt;
  return form->edit.Text();
}

}  // namespace setup
