#include "gui/fltk/LabelBox.h"

// Read before FLTK brings in Xlib, whose macro None would clash with Align::None.
#include "gui/Controls.h"

#include <FL/fl_draw.H>

#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

// Byte offset (in the drawn text) of the character an "&" marks, or npos.
std::size_t UnderlinedAt(const std::string& caption) {
  std::size_t drawn = 0;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      ++drawn;
      continue;
    }
    if (i + 1 >= caption.size()) break;
    if (caption[i + 1] != '&') return drawn;
    ++i;
    ++drawn;
  }
  return std::string::npos;
}

std::size_t Utf8Length(const std::string& text, std::size_t at) {
  std::size_t end = at + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - at;
}

}  // namespace

LabelBox::LabelBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
  box(FL_NO_BOX);
  color(FaceColour());
}

void LabelBox::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  redraw();
}

void LabelBox::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_color(color());
  fl_rectf(x(), y(), w(), h());
  const std::string text = Label::DrawnText(caption_);
  fl_font(WindowFont(), kFontSize);
  fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
  const int baseline = y() + fl_height() - fl_descent();
  fl_draw(text.c_str(), static_cast<int>(text.size()), x(), baseline);
  if (const std::size_t at = UnderlinedAt(caption_); at < text.size()) {
    const int left = x() + static_cast<int>(fl_width(text.c_str(), static_cast<int>(at)));
    const int width =
        static_cast<int>(fl_width(text.c_str() + at, static_cast<int>(Utf8Length(text, at))));
    fl_xyline(left, baseline + 1, left + width - 1);
  }
  fl_pop_clip();
}

}  // namespace gui::fltk
