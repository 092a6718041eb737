#include "gui/fltk/Theme.h"

// Read before FLTK brings in Xlib, whose macro None would clash with Align::None.
#include "gui/Controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser_.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Menu_.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <stdexcept>

namespace gui::fltk {
namespace {

bool opened = false;

}  // namespace

void OpenDisplay() {
  if (opened) return;
  // fl_open_display() would end the process without a display; we would rather say why.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) throw std::runtime_error("Cannot open the X display");
  fl_open_display(display);
  // The leading blank asks Xft for the regular face of the family.
  Fl::set_font(FL_FREE_FONT, " NanumGothic");
  Fl::background(0xF0, 0xF0, 0xF0);
  FL_NORMAL_SIZE = kFontSize;
  opened = true;
}

Fl_Font WindowFont() {
  return FL_FREE_FONT;
}

Fl_Color FaceColour() {
  return FL_BACKGROUND_COLOR;
}

Fl_Color ToFl(Colour colour) {
  switch (colour) {
    case Colour::ButtonFace:
      return FaceColour();
    case Colour::Grey:
      return fl_rgb_color(0x80, 0x80, 0x80);
    case Colour::Red:
      return fl_rgb_color(0xFF, 0x00, 0x00);
    case Colour::White:
      return FL_WHITE;
    case Colour::Black:
    case Colour::Default:
      break;
  }
  return FL_BLACK;
}

void Style(Fl_Widget& widget) {
  widget.labelfont(WindowFont());
  widget.labelsize(kFontSize);
  if (auto* input = dynamic_cast<Fl_Input_*>(&widget)) {
    input->textfont(WindowFont());
    input->textsize(kFontSize);
  } else if (auto* menu = dynamic_cast<Fl_Menu_*>(&widget)) {
    menu->textfont(WindowFont());
    menu->textsize(kFontSize);
  } else if (auto* browser = dynamic_cast<Fl_Browser_*>(&widget)) {
    browser->textfont(WindowFont());
    browser->textsize(kFontSize);
  }
}

Size MeasureLine(const std::string& text) {
  OpenDisplay();
  fl_font(WindowFont(), kFontSize);
  const double width = fl_width(text.c_str(), static_cast<int>(text.size()));
  return {static_cast<int>(width + 0.5), fl_height()};
}

}  // namespace gui::fltk
