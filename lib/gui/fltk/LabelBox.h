// A label drawn by us rather than by FLTK's label code, which would turn a leading "@" of a
// descriptor line into a symbol. One line, face-coloured background (so a frame title hides
// the line behind it), clipped at the right edge; "&x" underlines x and "&&" draws one "&".
#pragma once

#include <FL/Fl_Widget.H>

#include <string>

namespace gui::fltk {

class LabelBox : public Fl_Widget {
 public:
  LabelBox(int x, int y, int w, int h);
  void SetCaption(const std::string& caption);

 protected:
  void draw() override;

 private:
  std::string caption_;
};

}  // namespace gui::fltk
