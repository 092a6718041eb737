#include "gui/fltk/PictureBox.h"

#include <FL/Fl_JPEG_Image.H>
#include <FL/fl_draw.H>

#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

// FLTK's in-memory JPEG reader is given no length and reads ahead in blocks of up to 4 KB.
// End-of-image markers after the data keep a truncated picture from reading beyond its
// buffer: the decoder stops at the first marker.
constexpr std::size_t kTrailerPairs = 8192;

}  // namespace

PictureBox::PictureBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
  box(FL_NO_BOX);
  color(FaceColour());
}

PictureBox::~PictureBox() = default;

void PictureBox::SetJpeg(const std::string& jpeg) {
  if (jpeg == jpeg_) return;
  jpeg_ = jpeg;
  image_.reset();
  source_ = jpeg;
  const bool looksLikeJpeg = jpeg.size() > 4 && static_cast<unsigned char>(jpeg[0]) == 0xFF &&
                             static_cast<unsigned char>(jpeg[1]) == 0xD8;
  if (looksLikeJpeg) {
    for (std::size_t i = 0; i < kTrailerPairs; ++i) source_ += "\xFF\xD9";
    auto image = std::make_unique<Fl_JPEG_Image>(
        "picture", reinterpret_cast<const unsigned char*>(source_.data()));
    if (image->w() > 0 && image->h() > 0 && image->fail() == 0) image_ = std::move(image);
  }
  redraw();
}

void PictureBox::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_color(color());
  fl_rectf(x(), y(), w(), h());
  if (image_) image_->draw(x(), y());
  fl_pop_clip();
}

}  // namespace gui::fltk
