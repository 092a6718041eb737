// A window: its own frame state plus the controls it owns, kept in creation order.
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/Control.h"

namespace gui {

class Application;

enum class BorderStyle { Sizeable, Dialog };
enum class Key { Enter, Escape, Tab };

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class Form : public Control {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& App() const { return app_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height);
  BorderStyle Border() const { return border_; }
  void SetBorder(BorderStyle border) { border_ = border; }
  // X11 class / window class name, so outside tools can find the window.
  std::string WindowClass = "SetupAssistant";

  // Creates a control owned by this form, appended to the creation order.
  template <class T>
  T& Add(const std::string& name) {
    static_assert(std::is_base_of_v<Control, T>);
    auto control = std::make_unique<T>(this, name);
    T& ref = *control;
    controls_.push_back(std::move(control));
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Control* Find(const std::string& name) const;

  // Where the window goes when first shown; afterwards it stays where the user left it.
  bool PositionedOnce = false;

  Handler OnCreate;
  Handler OnActivate;
  Handler OnDestroy;

  bool Showing() const { return showing_; }
  // Shows the window and runs OnActivate (trapped).
  void Show();
  void Hide();
  // The main form's Close asks the application to end; a modal form's closes it with Cancel
  // unless a result is already set.
  void Close();
  // Shows the form modally and returns its modal result when it closes.
  int ShowModal();
  bool IsModal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // The focused control, or nullptr. Backends report focus changes through SetActiveControl.
  Control* ActiveControl() const { return active_; }
  void SetActiveControl(Control* control) { active_ = control; }
  // The first control in tab order that can take the focus.
  Control* FirstFocusable() const;
  // Keys the window handles as a whole: Enter presses the focused button, or the default
  // button when no button has the focus; Esc presses the cancel button. True when used.
  bool HandleKey(Key key);

 private:
  Application& app_;
  std::string caption_;
  BorderStyle border_ = BorderStyle::Sizeable;
  std::vector<std::unique_ptr<Control>> controls_;
  bool showing_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  Control* active_ = nullptr;
};

}  // namespace gui
