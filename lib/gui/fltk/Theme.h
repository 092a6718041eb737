// The look every window shares: the display connection, the Korean-capable window font,
// the button-face colour and the colours the forms name.
#pragma once

#include <FL/Enumerations.H>

#include <string>

#include "gui/Backend.h"

class Fl_Widget;

namespace gui {
enum class Colour;
}

namespace gui::fltk {

inline constexpr Fl_Fontsize kFontSize = 12;

// Opens the display named by DISPLAY and sets up font and colours; throws
// std::runtime_error when no display can be opened. Safe to call again.
void OpenDisplay();

// NanumGothic: FLTK's default Xft font has no Hangul and would draw every syllable as a box.
Fl_Font WindowFont();
Fl_Color FaceColour();
Fl_Color ToFl(Colour colour);

// Window font, size and face colour for a widget, its label and its text.
void Style(Fl_Widget& widget);

// Width and height of one line of raw text (no "&" or "@" processing) in the window font.
Size MeasureLine(const std::string& text);

}  // namespace gui::fltk
