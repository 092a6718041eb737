#include "gui/fltk/ShapeBox.h"

#include <FL/fl_draw.H>

#include <algorithm>

namespace gui::fltk {

ShapeBox::ShapeBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
  box(FL_NO_BOX);
}

void ShapeBox::SetLook(Look look, Fl_Color pen, bool filled) {
  look_ = look;
  pen_ = pen;
  filled_ = filled;
  redraw();
}

void ShapeBox::draw() {
  if (w() <= 0 || h() <= 0) return;
  fl_push_clip(x(), y(), w(), h());
  switch (look_) {
    case Look::TopLine:
      // Etched: a shadow line with a highlight just below it.
      fl_color(fl_rgb_color(0xA0, 0xA0, 0xA0));
      fl_xyline(x(), y(), x() + w() - 1);
      fl_color(FL_WHITE);
      fl_xyline(x(), y() + 1, x() + w() - 1);
      break;
    case Look::Rectangle:
      if (filled_) {
        fl_color(FL_WHITE);
        fl_rectf(x(), y(), w(), h());
      }
      fl_color(pen_);
      fl_rect(x(), y(), w(), h());
      break;
    case Look::RoundRect:
      DrawRoundRect();
      break;
  }
  fl_pop_clip();
}

void ShapeBox::DrawRoundRect() const {
  // Corners are quarter ellipses a quarter of the shorter side across, as the desktop draws
  // a round rectangle shape.
  const int d = std::max(2, std::min(w(), h()) / 4);
  const int r = d / 2;
  const int left = x(), top = y(), right = x() + w() - 1, bottom = y() + h() - 1;
  if (filled_) {
    fl_color(FL_WHITE);
    fl_rectf(left + r, top, w() - 2 * r, h());
    fl_rectf(left, top + r, w(), h() - 2 * r);
    fl_pie(left, top, d, d, 90, 180);
    fl_pie(right - d + 1, top, d, d, 0, 90);
    fl_pie(left, bottom - d + 1, d, d, 180, 270);
    fl_pie(right - d + 1, bottom - d + 1, d, d, 270, 360);
  }
  fl_color(pen_);
  fl_xyline(left + r, top, right - r);
  fl_xyline(left + r, bottom, right - r);
  fl_yxline(left, top + r, bottom - r);
  fl_yxline(right, top + r, bottom - r);
  fl_arc(left, top, d, d, 90, 180);
  fl_arc(right - d + 1, top, d, d, 0, 90);
  fl_arc(left, bottom - d + 1, d, d, 180, 270);
  fl_arc(right - d + 1, bottom - d + 1, d, d, 270, 360);
}

}  // namespace gui::fltk
