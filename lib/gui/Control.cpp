#include "gui/Control.h"

#include "gui/Application.h"
#include "gui/Form.h"

namespace gui {

void Control::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, width, height};
  Changed();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void Control::SetAlign(Align align) {
  align_ = align;
  Changed();
}

void Control::Changed() {
  if (peer_ != nullptr) peer_->Changed(*this);
}

void Control::Fire(const Handler& handler) {
  if (!handler) return;
  if (owner_ != nullptr) {
    owner_->App().Invoke(handler);
  } else {
    handler();
  }
}

}  // namespace gui
