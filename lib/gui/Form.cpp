#include "gui/Form.h"

#include <algorithm>

#include "gui/Application.h"
#include "gui/Controls.h"

namespace gui {

Form::Form(Application& app, std::string name) : Control(nullptr, std::move(name)), app_(app) {
  SetVisible(false);
}

Form::~Form() = default;

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void Form::SetClientSize(int width, int height) {
  SetBounds(Left(), Top(), width, height);
}

Control* Form::Find(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

void Form::Show() {
  if (showing_) return;
  showing_ = true;
  SetVisible(true);
  app_.GetBackend().ShowForm(*this, modal_);
  if (active_ == nullptr) active_ = FirstFocusable();
  app_.Invoke(OnActivate);
}

void Form::Hide() {
  if (!showing_) return;
  showing_ = false;
  SetVisible(false);
  app_.GetBackend().HideForm(*this);
}

void Form::Close() {
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  if (app_.MainForm() == this) {
    app_.Terminate();
  } else {
    Hide();
  }
}

int Form::ShowModal() {
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  app_.RunModal(*this);
  Hide();
  modal_ = false;
  return modalResult_;
}

Control* Form::FirstFocusable() const {
  Control* best = nullptr;
  for (const auto& control : controls_) {
    if (!control->CanFocus() || !control->Enabled() || !control->Visible()) continue;
    if (control->TabOrder() < 0) continue;
    if (best == nullptr || control->TabOrder() < best->TabOrder()) best = control.get();
  }
  return best;
}

bool Form::HandleKey(Key key) {
  auto pressFirst = [&](auto wanted) {
    for (const auto& control : controls_) {
      auto* button = dynamic_cast<Button*>(control.get());
      if (button != nullptr && wanted(*button) && button->Enabled() && button->Visible()) {
        button->Click();
        return true;
      }
    }
    return false;
  };
  switch (key) {
    case Key::Enter: {
      // A focused button takes Enter itself; that is how Cancel keeps Enter from meaning OK.
      if (auto* focused = dynamic_cast<Button*>(active_); focused != nullptr) {
        focused->Click();
        return true;
      }
      return pressFirst([](const Button& b) { return b.Default(); });
    }
    case Key::Escape:
      return pressFirst([](const Button& b) { return b.Cancel(); });
    case Key::Tab:
      return false;
  }
  return false;
}

}  // namespace gui
