// A picture decoded from JPEG bytes held in memory, drawn at its own size from the
// top-left corner and clipped to the control.
#pragma once

#include <FL/Fl_Widget.H>

#include <memory>
#include <string>

class Fl_JPEG_Image;

namespace gui::fltk {

class PictureBox : public Fl_Widget {
 public:
  PictureBox(int x, int y, int w, int h);
  ~PictureBox() override;
  // Empty or undecodable bytes leave the control showing only the face.
  void SetJpeg(const std::string& jpeg);

 protected:
  void draw() override;

 private:
  std::string jpeg_;
  std::string source_;  // jpeg_ followed by end markers, kept alive for the decoder
  std::unique_ptr<Fl_JPEG_Image> image_;
};

}  // namespace gui::fltk
