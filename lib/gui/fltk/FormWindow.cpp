#include "gui/fltk/FormWindow.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <algorithm>

#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

// Motif window-manager hints: most X window managers read them to decide which caption
// buttons and frame functions a window gets.
constexpr long kHintFunctions = 1, kHintDecorations = 2;
constexpr long kAll = 1;  // with kAll set, the bits below are taken away
constexpr long kFuncResize = 2, kFuncMinimize = 8, kFuncMaximize = 16;
constexpr long kDecorResizeHandles = 4, kDecorMinimize = 32, kDecorMaximize = 64;

}  // namespace

FormWindow::FormWindow(Form& form)
    : Fl_Double_Window(std::max(1, form.ClientWidth()), std::max(1, form.ClientHeight())),
      form_(form),
      xclass_(form.WindowClass) {
  end();
  // Controls keep their bounds when the window is resized (clipped, never scaled); the frame
  // limits below decide whether the user may resize at all.
  resizable(nullptr);
  color(FaceColour());
  xclass(xclass_.c_str());
  callback(OnClose, this);
  Changed(form);
}

FormWindow::~FormWindow() = default;

void FormWindow::Register(Control& control, Fl_Widget& widget) {
  entries_.push_back({&control, &widget});
}

Fl_Widget* FormWindow::WidgetOf(const Control& control) const {
  for (const Entry& entry : entries_) {
    if (entry.control == &control) return entry.widget;
  }
  return nullptr;
}

Control* FormWindow::ControlOf(const Fl_Widget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parent()) {
    for (const Entry& entry : entries_) {
      if (entry.widget == widget) return entry.control;
    }
  }
  return nullptr;
}

void FormWindow::Place(const Control& control, Fl_Widget& widget, Bounds bounds) const {
  if (control.GetAlign() == Align::Top) bounds = {0, 0, w(), bounds.height};
  if (widget.x() == bounds.left && widget.y() == bounds.top && widget.w() == bounds.width &&
      widget.h() == bounds.height)
    return;
  widget.resize(bounds.left, bounds.top, bounds.width, bounds.height);
  // The old place is the window's to repaint.
  const_cast<FormWindow*>(this)->redraw();
}

void FormWindow::Changed(Control&) {
  if (caption_ != form_.Caption()) {
    caption_ = form_.Caption();
    copy_label(caption_.c_str());
  }
  const int width = std::max(1, form_.ClientWidth());
  const int height = std::max(1, form_.ClientHeight());
  if (width != w() || height != h()) size(width, height);
  ApplyFrameLimits();
  ApplyFrameHints();
}

void FormWindow::ApplyFrameLimits() {
  if (form_.Border() == BorderStyle::Dialog) {
    size_range(w(), h(), w(), h());
  } else {
    size_range(1, 1);
  }
}

void FormWindow::ApplyFrameHints() {
  if (!shown()) return;
  long functions = kAll | kFuncMinimize | kFuncMaximize;
  long decorations = kAll | kDecorMinimize | kDecorMaximize;
  if (form_.Border() == BorderStyle::Dialog) {
    functions |= kFuncResize;
    decorations |= kDecorResizeHandles;
  }
  long hints[5] = {kHintFunctions | kHintDecorations, functions, decorations, 0, 0};
  const Atom atom = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(this), atom, atom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints), 5);
}

void FormWindow::ShowAs(bool modal) {
  if (modal) {
    set_modal();
  } else {
    clear_modal_states();
  }
  if (!form_.PositionedOnce) {
    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    position(sx + std::max(0, (sw - w()) / 2), sy + std::max(0, (sh - h()) / 2));
    form_.PositionedOnce = true;
  }
  show();
  ApplyFrameHints();
  default_cursor(busy_ ? FL_CURSOR_WAIT : FL_CURSOR_ARROW);
}

void FormWindow::RestoreFocus() {
  Control* target = form_.ActiveControl();
  Fl_Widget* widget = target != nullptr ? WidgetOf(*target) : nullptr;
  if (widget == nullptr || !widget->take_focus()) {
    target = form_.FirstFocusable();
    widget = target != nullptr ? WidgetOf(*target) : nullptr;
    if (widget != nullptr) widget->take_focus();
  }
  SyncFocus();
}

void FormWindow::SetBusy(bool busy) {
  busy_ = busy;
  if (shown()) default_cursor(busy ? FL_CURSOR_WAIT : FL_CURSOR_ARROW);
}

void FormWindow::SyncFocus() {
  Control* focused = ControlOf(Fl::focus());
  if (focused != nullptr && focused != form_.ActiveControl()) form_.SetActiveControl(focused);
}

bool FormWindow::MoveFocus(bool backwards) {
  std::vector<Entry> order;
  for (const Entry& entry : entries_) {
    const Control& c = *entry.control;
    if (c.CanFocus() && c.Enabled() && c.Visible() && c.TabOrder() >= 0) order.push_back(entry);
  }
  if (order.empty()) return false;
  std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
    return a.control->TabOrder() < b.control->TabOrder();
  });
  const Control* current = ControlOf(Fl::focus());
  auto at = std::find_if(order.begin(), order.end(),
                         [&](const Entry& e) { return e.control == current; });
  const auto count = static_cast<long>(order.size());
  long index = at == order.end() ? (backwards ? 0 : -1) : at - order.begin();
  for (long step = 0; step < count; ++step) {
    index = ((backwards ? index - 1 : index + 1) % count + count) % count;
    if (order[static_cast<std::size_t>(index)].widget->take_focus()) {
      SyncFocus();
      return true;
    }
  }
  return false;
}

int FormWindow::handle(int event) {
  if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
    const int key = Fl::event_key();
    // Esc must never close the window the way FLTK would: it presses the cancel button, if
    // there is one, and otherwise does nothing.
    if (key == FL_Escape) {
      form_.HandleKey(Key::Escape);
      return 1;
    }
    if (key == FL_Enter || key == FL_KP_Enter) {
      SyncFocus();
      form_.HandleKey(Key::Enter);
      return 1;
    }
    if (event == FL_KEYBOARD && key == FL_Tab && !Fl::event_state(FL_CTRL | FL_ALT | FL_META) &&
        MoveFocus(Fl::event_state(FL_SHIFT) != 0)) {
      return 1;
    }
  }
  const int used = Fl_Double_Window::handle(event);
  SyncFocus();
  // Text fields switch to their own cursor when the mouse enters them; while the
  // application is busy the hour-glass wins.
  if (busy_ && (event == FL_ENTER || event == FL_MOVE)) cursor(FL_CURSOR_WAIT);
  return used;
}

void FormWindow::resize(int x, int y, int w, int h) {
  const bool widthChanged = w != this->w();
  Fl_Double_Window::resize(x, y, w, h);
  if (!widthChanged) return;
  for (const Entry& entry : entries_) {
    if (entry.control->GetAlign() == Align::Top) {
      Place(*entry.control, *entry.widget, {0, 0, w, entry.control->Height()});
    }
  }
}

void FormWindow::OnClose(Fl_Widget*, void* data) {
  // The close box and Alt+F4 arrive here.
  static_cast<FormWindow*>(data)->form_.Close();
}

}  // namespace gui::fltk
