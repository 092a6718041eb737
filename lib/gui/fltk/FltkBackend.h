// The real backend: FLTK 1.3 windows on X11, drawn with Xft in NanumGothic (12 px).
//
// Use: construct it before the Application (it opens the display named by DISPLAY and
// throws std::runtime_error when there is none), optionally SetIcon, then hand it to
// gui::Application. Everything runs on one thread; no other FLTK set-up is needed.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "gui/Backend.h"

class Fl_RGB_Image;
class Fl_Widget;
class Fl_Window;

namespace gui {

class Control;

namespace fltk {
class FormWindow;
}

class FltkBackend : public Backend {
 public:
  FltkBackend();
  ~FltkBackend() override;
  FltkBackend(const FltkBackend&) = delete;
  FltkBackend& operator=(const FltkBackend&) = delete;

  // The application icon as PNG bytes; every window carries it. False when the bytes are not
  // a picture FLTK can read (the windows then keep the desktop's default icon).
  bool SetIcon(const std::string& png);

  // The real window of a form and the widget of a control, for tests; nullptr when none.
  Fl_Window* WindowOf(const Form& form) const;
  Fl_Widget* WidgetOf(const Control& control) const;

  void FormCreated(Form& form) override;
  void FormDestroyed(Form& form) override;
  void ShowForm(Form& form, bool modal) override;
  void HideForm(Form& form) override;
  void ProcessMessages() override;
  bool WaitMessage() override;
  void MessageBox(BoxKind kind, const std::string& caption, const std::string& text) override;
  void SetCursor(Cursor cursor) override;
  Size ScreenSize() override;
  Size MeasureText(const std::string& text) override;

 private:
  struct FormParts;

  std::map<const Form*, std::unique_ptr<FormParts>> forms_;
  std::unique_ptr<Fl_RGB_Image> icon_;
  Cursor cursor_ = Cursor::Default;
};

}  // namespace gui
