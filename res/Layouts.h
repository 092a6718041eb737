// The two windows as data: every control with its kind, position, text and initial state,
// in creation order. The window classes build themselves from these tables.
#pragma once

#include <span>

namespace res {

enum class Kind {
  Shape,
  Label,
  SpeedButton,
  Bevel,
  Image,
  Gauge,
  Button,
  Memo,
  Edit,
  DirectoryListBox,
  DriveComboBox
};

// Settings beyond position and text; combine with |.
enum Style : unsigned {
  kPlain = 0,
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kAutoSize = 1u << 2,  // labels sized to their text; others keep a fixed size
  kGreyText = 1u << 3,
  kRoundRect = 1u << 4,    // shapes: rounded rectangle, grey outline, no fill
  kAlignTop = 1u << 5,     // follows the window's width along its top edge
  kDefault = 1u << 6,      // buttons: pressed by Enter
  kCancel = 1u << 7,       // buttons: pressed by Esc
  kResultOk = 1u << 8,     // buttons: closes a modal window with OK
  kResultCancel = 1u << 9  // buttons: closes a modal window with Cancel
};

struct ControlLayout {
  const char* name;
  Kind kind;
  int left, top, width, height;
  const char* text;  // caption, text or the memo's first line; "" for none
  int tabOrder;      // -1 for controls outside the tab order
  unsigned style;
};

enum class Frame { Sizeable, Dialog };

struct FormLayout {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;
  Frame frame;
  std::span<const ControlLayout> controls;
};

extern const FormLayout kMainWindow;    // TForm1
extern const FormLayout kFolderDialog;  // TForm2

}  // namespace res
