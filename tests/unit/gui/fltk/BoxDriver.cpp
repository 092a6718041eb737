#include "BoxDriver.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstring>

#include "ScreenTools.h"
#include "gui/fltk/MessageBoxWindow.h"

namespace guitest {
namespace {

constexpr double kPollSeconds = 0.05;
constexpr double kDeadlineSeconds = 10;

Fl_Window* OpenBox() {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->xclass() != nullptr && std::strcmp(w->xclass(), gui::fltk::kMessageBoxClass) == 0)
      return w;
  }
  return nullptr;
}

}  // namespace

BoxDriver::BoxDriver(std::function<void(const std::string&)> act) : act_(std::move(act)) {
  Fl::add_timeout(kPollSeconds, Poll, this);
  Fl::add_timeout(kDeadlineSeconds, Deadline, this);
}

BoxDriver::~BoxDriver() {
  Fl::remove_timeout(Poll, this);
  Fl::remove_timeout(Deadline, this);
}

void BoxDriver::Poll(void* data) {
  auto* self = static_cast<BoxDriver*>(data);
  const std::string id = OpenBox() != nullptr ? FindWindow(gui::fltk::kMessageBoxClass) : "";
  if (id.empty()) {
    Fl::repeat_timeout(kPollSeconds, Poll, data);
    return;
  }
  self->acted_ = true;
  self->act_(id);
}

void BoxDriver::Deadline(void* data) {
  auto* self = static_cast<BoxDriver*>(data);
  if (Fl_Window* box = OpenBox()) {
    self->timedOut_ = true;
    box->hide();
  }
}

}  // namespace guitest
