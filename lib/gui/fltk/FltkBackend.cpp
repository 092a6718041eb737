#include "gui/fltk/FltkBackend.h"

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>

#include <vector>

#include "gui/Form.h"
#include "gui/fltk/FormWindow.h"
#include "gui/fltk/MessageBoxWindow.h"
#include "gui/fltk/Peers.h"
#include "gui/fltk/Theme.h"

namespace gui {

struct FltkBackend::FormParts {
  // Owned by us rather than by FLTK: the window deletes its widgets with it.
  std::unique_ptr<fltk::FormWindow> window;
  std::vector<std::unique_ptr<Peer>> peers;
};

FltkBackend::FltkBackend() {
  fltk::OpenDisplay();
}

FltkBackend::~FltkBackend() {
  // Forms the application did not destroy still have our peers attached: take them off.
  while (!forms_.empty()) FormDestroyed(const_cast<Form&>(*forms_.begin()->first));
}

bool FltkBackend::SetIcon(const std::string& png) {
  auto image = std::make_unique<Fl_PNG_Image>(
      "icon", reinterpret_cast<const unsigned char*>(png.data()), static_cast<int>(png.size()));
  if (image->fail() != 0 || image->w() <= 0 || image->h() <= 0) return false;
  icon_ = std::move(image);
  Fl_Window::default_icon(icon_.get());
  for (auto& [form, parts] : forms_) parts->window->icon(icon_.get());
  return true;
}

Fl_Window* FltkBackend::WindowOf(const Form& form) const {
  auto it = forms_.find(&form);
  return it == forms_.end() ? nullptr : it->second->window.get();
}

Fl_Widget* FltkBackend::WidgetOf(const Control& control) const {
  if (control.Owner() == nullptr) return nullptr;
  auto it = forms_.find(control.Owner());
  return it == forms_.end() ? nullptr : it->second->window->WidgetOf(control);
}

void FltkBackend::FormCreated(Form& form) {
  auto parts = std::make_unique<FormParts>();
  parts->window = std::make_unique<fltk::FormWindow>(form);
  form.SetPeer(parts->window.get());
  for (const auto& control : form.Controls()) {
    auto peer = fltk::MakePeer(*control, *parts->window);
    if (!peer) continue;
    control->SetPeer(peer.get());
    parts->peers.push_back(std::move(peer));
  }
  parts->window->SetBusy(cursor_ == Cursor::HourGlass);
  forms_[&form] = std::move(parts);
}

void FltkBackend::FormDestroyed(Form& form) {
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
  form.SetPeer(nullptr);
  for (const auto& control : form.Controls()) control->SetPeer(nullptr);
  it->second->window->hide();
  forms_.erase(it);
  // Outside tools should see the window gone now, not at the next wait for events.
  Fl::flush();
}

void FltkBackend::ShowForm(Form& form, bool modal) {
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
  fltk::FormWindow& window = *it->second->window;
  window.ShowAs(modal);
  window.RestoreFocus();
}

void FltkBackend::HideForm(Form& form) {
  auto it = forms_.find(&form);
  if (it != forms_.end()) it->second->window->hide();
}

void FltkBackend::ProcessMessages() {
  Fl::check();
}

bool FltkBackend::WaitMessage() {
  // With no window shown nothing can ever arrive, and Fl::wait() would block for good.
  if (Fl::first_window() == nullptr) return false;
  Fl::wait();
  return true;
}

void FltkBackend::MessageBox(BoxKind kind, const std::string& caption, const std::string& text) {
  fltk::RunMessageBox(kind, caption, text);
}

void FltkBackend::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  for (auto& [form, parts] : forms_) parts->window->SetBusy(cursor == Cursor::HourGlass);
  Fl::flush();
}

Size FltkBackend::ScreenSize() {
  return {Fl::w(), Fl::h()};
}

Size FltkBackend::MeasureText(const std::string& text) {
  return fltk::MeasureLine(text);
}

}  // namespace gui
