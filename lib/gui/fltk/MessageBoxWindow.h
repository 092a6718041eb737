// The application's two message boxes, as windows of our own: a caption, the text wrapped to
// at most half the screen's width, a stop icon for errors, and one OK button. Enter and Esc
// both press OK; Ctrl+C copies the text. The box is modal and the call returns once it is
// closed.
#pragma once

#include <string>

#include "gui/Backend.h"

namespace gui::fltk {

// The X11 class of a message box, so outside tools can tell a box from the forms.
inline constexpr const char* kMessageBoxClass = "SetupAssistantMessage";

void RunMessageBox(BoxKind kind, const std::string& caption, const std::string& text);

}  // namespace gui::fltk
