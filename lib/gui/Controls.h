// The simple controls the windows are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/Control.h"

namespace gui {

// Colours the windows name; backends map them to the desktop's own.
enum class Colour { Default, ButtonFace, Grey, Red, Black, White };

class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // Sized to its text when true; fixed size (text cut off at the right edge) when false.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  Colour FontColour() const { return fontColour_; }
  void SetFontColour(Colour colour);
  // The caption as drawn: "&x" draws x underlined and "&&" draws one "&".
  static std::string DrawnText(const std::string& caption);

 private:
  std::string caption_;
  bool autoSize_ = true;
  Colour fontColour_ = Colour::Default;
};

class Button : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The default button is pressed by Enter, the cancel button by Esc.
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Non-zero: pressing the button closes its modal form with this result.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool CanFocus() const override { return true; }

  Handler OnClick;
  // What a user's press does: runs OnClick (trapped), then closes a modal form if the button
  // carries a result. Does nothing while the button is disabled or hidden.
  void Click();

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

// A push button that never takes the focus.
class SpeedButton : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  Handler OnClick;
  void Click();

 private:
  std::string caption_;
};

class Memo : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);
  // Line n, or empty text past the last line.
  std::string Line(std::size_t n) const { return n < lines_.size() ? lines_[n] : std::string(); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
  bool CanFocus() const override { return true; }

 private:
  std::vector<std::string> lines_;
  bool wordWrap_ = true;
};

class GaugeError : public std::exception {
 public:
  const char* what() const noexcept override { return "Gauge maximum below its minimum"; }
};

// A horizontal progress gauge. Progress is always kept within [MinValue, MaxValue].
class Gauge : public Control {
 public:
  using Control::Control;
  std::int64_t MinValue() const { return min_; }
  std::int64_t MaxValue() const { return max_; }
  std::int64_t Progress() const { return progress_; }
  // A maximum below the minimum is refused with GaugeError and the old maximum kept;
  // a maximum below the progress pulls the progress down with it.
  void SetMaxValue(std::int64_t max);
  void SetProgress(std::int64_t progress);
  // Whole-number share filled, 0..100 (0 when maximum equals minimum).
  int PercentDone() const;
  Colour ForeColour() const { return foreColour_; }
  void SetForeColour(Colour colour) { foreColour_ = colour; }
  bool ShowText() const { return showText_; }
  void SetShowText(bool show) { showText_ = show; }

 private:
  std::int64_t min_ = 0;
  std::int64_t max_ = 100;
  std::int64_t progress_ = 0;
  Colour foreColour_ = Colour::Red;
  bool showText_ = false;
};

// A picture stored with the window as JPEG data.
class Image : public Control {
 public:
  using Control::Control;
  const std::string& Jpeg() const { return jpeg_; }
  void SetJpeg(std::string data);

 private:
  std::string jpeg_;
};

enum class ShapeKind { Rectangle, RoundRect };

class Shape : public Control {
 public:
  using Control::Control;
  ShapeKind Kind() const { return kind_; }
  void SetKind(ShapeKind kind) { kind_ = kind; }
  Colour PenColour() const { return pen_; }
  void SetPenColour(Colour colour) { pen_ = colour; }
  bool Filled() const { return filled_; }
  void SetFilled(bool filled) { filled_ = filled; }

 private:
  ShapeKind kind_ = ShapeKind::Rectangle;
  Colour pen_ = Colour::Black;
  bool filled_ = true;
};

// A separator: a single line along its top edge.
class Bevel : public Control {
 public:
  using Control::Control;
};

class Edit : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  bool CanFocus() const override { return true; }
  // Called by a backend when the user typed: updates the state without echoing it back.
  void UserEdited(const std::string& text) { text_ = text; }
  // Shows a mask instead of the characters typed.
  bool Password() const { return password_; }
  void SetPassword(bool password) { password_ = password; }

 private:
  std::string text_;
  bool password_ = false;
};

}  // namespace gui
