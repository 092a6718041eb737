#include "gui/fltk/MessageBoxWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <vector>

#include "gui/fltk/TextWrap.h"
#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinWidth = 120;

// A red disc with a white cross, drawn rather than loaded.
class StopIcon : public Fl_Widget {
 public:
  StopIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}

 protected:
  void draw() override {
    fl_color(fl_rgb_color(0xD0, 0x20, 0x20));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    const int inset = 10;
    fl_line(x() + inset, y() + inset, x() + w() - 1 - inset, y() + h() - 1 - inset);
    fl_line(x() + w() - 1 - inset, y() + inset, x() + inset, y() + h() - 1 - inset);
    fl_line_style(0);
  }
};

// The wrapped text, drawn as it is: no "&" underlining, no "@" symbols.
class TextPanel : public Fl_Widget {
 public:
  TextPanel(int x, int y, int w, int h, std::vector<std::string> lines)
      : Fl_Widget(x, y, w, h), lines_(std::move(lines)) {}

 protected:
  void draw() override {
    fl_push_clip(x(), y(), w(), h());
    fl_font(WindowFont(), kFontSize);
    fl_color(FL_BLACK);
    int baseline = y() + fl_height() - fl_descent();
    for (const std::string& line : lines_) {
      fl_draw(line.c_str(), static_cast<int>(line.size()), x(), baseline);
      baseline += fl_height();
    }
    fl_pop_clip();
  }

 private:
  std::vector<std::string> lines_;
};

class BoxWindow : public Fl_Double_Window {
 public:
  BoxWindow(BoxKind kind, const std::string& caption, const std::string& text)
      : Fl_Double_Window(kMinWidth, kMinWidth), text_(text) {
    copy_label(caption.c_str());
    xclass(kMessageBoxClass);
    color(FaceColour());
    set_modal();
    callback([](Fl_Widget* w, void*) { w->hide(); });

    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    fl_font(WindowFont(), kFontSize);
    const auto measure = [](std::string_view s) {
      return static_cast<int>(fl_width(s.data(), static_cast<int>(s.size())) + 0.5);
    };
    std::vector<std::string> lines = WrapText(text, sw / 2, measure);
    int textWidth = 0;
    for (const auto& line : lines) textWidth = std::max(textWidth, measure(line));
    textWidth = std::min(textWidth, sw / 2);
    const int textHeight = static_cast<int>(lines.size()) * fl_height();

    const bool icon = kind == BoxKind::Error;
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    const int bodyHeight = std::max(textHeight, icon ? kIconSize : 0);
    const int width = std::max(kMinWidth, textLeft + textWidth + kMargin + kMargin);
    const int height = kMargin + bodyHeight + kMargin + kButtonHeight + kMargin;
    size(width, height);
    size_range(width, height, width, height);

    begin();
    if (icon) new StopIcon(kMargin, kMargin);
    const int textTop = kMargin + (bodyHeight - textHeight) / 2;
    new TextPanel(textLeft, textTop, textWidth + kMargin, textHeight, std::move(lines));
    ok_ = new Fl_Button((width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth,
                        kButtonHeight, "OK");
    Style(*ok_);
    ok_->callback([](Fl_Widget* b, void*) { b->window()->hide(); });
    end();

    position(sx + std::max(0, (sw - width) / 2), sy + std::max(0, (sh - height) / 2));
  }

  void Run() {
    show();
    // The box keeps the arrow even while the application shows the hour-glass.
    default_cursor(FL_CURSOR_ARROW);
    ok_->take_focus();
    while (shown()) Fl::wait();
  }

  int handle(int event) override {
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
      const int key = Fl::event_key();
      if (key == FL_Enter || key == FL_KP_Enter || key == FL_Escape) {
        hide();
        return 1;
      }
      if (Fl::event_state(FL_CTRL) && (key == 'c' || key == FL_Insert)) {
        const int length = static_cast<int>(text_.size());
        Fl::copy(text_.c_str(), length, 0);
        Fl::copy(text_.c_str(), length, 1);
        return 1;
      }
    }
    return Fl_Double_Window::handle(event);
  }

 private:
  std::string text_;
  Fl_Button* ok_ = nullptr;
};

}  // namespace

void RunMessageBox(BoxKind kind, const std::string& caption, const std::string& text) {
  OpenDisplay();
  BoxWindow box(kind, caption, text);
  box.Run();
}

}  // namespace gui::fltk
