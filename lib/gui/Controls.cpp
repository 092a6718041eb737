#include "gui/Controls.h"

#include <algorithm>
#include <cstdint>

#include "gui/Form.h"

namespace gui {

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Changed();
}

void Label::SetFontColour(Colour colour) {
  fontColour_ = colour;
  Changed();
}

std::string Label::DrawnText(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;  // a single "&" only marks the next character
    }
    out += caption[i];
  }
  return out;
}

void Button::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void Button::Click() {
  if (!Enabled() || !Visible()) return;
  Fire(OnClick);
  if (modalResult_ != mrNone && Owner() != nullptr && Owner()->IsModal()) {
    Owner()->SetModalResult(modalResult_);
  }
}

void SpeedButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void SpeedButton::Click() {
  if (!Enabled() || !Visible()) return;
  Fire(OnClick);
}

void Memo::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Changed();
}

void Gauge::SetMaxValue(std::int64_t max) {
  if (max < min_) throw GaugeError();
  max_ = max;
  progress_ = std::min(progress_, max_);
  Changed();
}

void Gauge::SetProgress(std::int64_t progress) {
  progress_ = std::clamp(progress, min_, max_);
  Changed();
}

int Gauge::PercentDone() const {
  if (max_ == min_) return 0;
  const std::int64_t done = progress_ - min_;
  const std::int64_t range = max_ - min_;
  // Sizes of many gigabytes would overflow done * 100; divide first for those.
  if (done > INT64_MAX / 100) return static_cast<int>(done / (range / 100));
  return static_cast<int>(done * 100 / range);
}

void Image::SetJpeg(std::string data) {
  jpeg_ = std::move(data);
  Changed();
}

void Edit::SetText(const std::string& text) {
  text_ = text;
  Changed();
}

}  // namespace gui
