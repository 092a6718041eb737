// Outlines drawn over the face: the shape (rectangle or round rectangle) and the bevel
// (one etched line along its top edge).
#pragma once

#include <FL/Fl_Widget.H>

namespace gui::fltk {

class ShapeBox : public Fl_Widget {
 public:
  enum class Look { Rectangle, RoundRect, TopLine };

  ShapeBox(int x, int y, int w, int h);
  void SetLook(Look look, Fl_Color pen, bool filled);

 protected:
  void draw() override;

 private:
  void DrawRoundRect() const;

  Look look_ = Look::Rectangle;
  Fl_Color pen_ = FL_BLACK;
  bool filled_ = true;
};

}  // namespace gui::fltk
