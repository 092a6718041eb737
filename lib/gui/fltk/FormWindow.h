// The real window of one form. It mirrors the form's own state (caption, client size), keeps
// the controls' widgets placed (a control aligned to the top follows the window's width; the
// others keep their bounds and are clipped when the window gets smaller), and turns window
// input into calls on the form: Enter and Esc, Tab order, focus changes, the close box.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>
#include <vector>

#include "gui/Control.h"
#include "gui/Form.h"

namespace gui::fltk {

class FormWindow : public Fl_Double_Window, public Peer {
 public:
  explicit FormWindow(Form& form);
  ~FormWindow() override;

  Form& GetForm() const { return form_; }

  // Records which widget stands for which control (for focus, Tab and alignment).
  void Register(Control& control, Fl_Widget& widget);
  Fl_Widget* WidgetOf(const Control& control) const;
  // Puts a control's widget where its bounds and alignment say.
  void Place(const Control& control, Fl_Widget& widget, Bounds bounds) const;

  // Shows the window, centred on the screen the first time, modal or not.
  void ShowAs(bool modal);
  // Gives the focus to the control that had it last, or to the first one in tab order.
  void RestoreFocus();
  void SetBusy(bool busy);

  void Changed(Control& control) override;
  int handle(int event) override;
  void resize(int x, int y, int w, int h) override;

 private:
  struct Entry {
    Control* control;
    Fl_Widget* widget;
  };

  void ApplyFrameLimits();
  void ApplyFrameHints();
  void SyncFocus();
  bool MoveFocus(bool backwards);
  Control* ControlOf(const Fl_Widget* widget) const;
  static void OnClose(Fl_Widget* widget, void* data);

  Form& form_;
  std::vector<Entry> entries_;
  std::string caption_;
  std::string xclass_;
  bool busy_ = false;
};

}  // namespace gui::fltk
