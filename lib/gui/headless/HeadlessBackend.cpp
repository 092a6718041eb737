#include "gui/headless/HeadlessBackend.h"

#include "gui/Form.h"

namespace gui {

void HeadlessBackend::ShowForm(Form& form, bool) {
  shownForms.push_back(form.Name());
}

void HeadlessBackend::ProcessMessages() {
  ++processMessagesCalls;
  if (onProcessMessages) onProcessMessages();
}

bool HeadlessBackend::WaitMessage() {
  if (script_.empty()) return false;
  auto action = std::move(script_.front());
  script_.pop_front();
  action();
  return true;
}

void HeadlessBackend::MessageBox(BoxKind kind, const std::string& caption,
                                 const std::string& text) {
  boxes.push_back({kind, caption, text});
  // A message box shows the normal arrow while it is open.
  cursorInBoxes.push_back(Cursor::Default);
  if (onMessageBox) onMessageBox(boxes.back());
}

Size HeadlessBackend::MeasureText(const std::string& text) {
  // Roughly the window font: 6 px for a Latin character, 12 px for a Hangul syllable.
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      width += 6;
    } else if ((byte & 0xC0) != 0x80) {
      width += 12;
    }
  }
  return {width, 12};
}

}  // namespace gui
