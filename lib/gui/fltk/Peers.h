// The widget and the peer for each kind of control: the peer mirrors every state change of
// its control into the widget, and the widget's user input comes back as calls on the control.
#pragma once

#include <memory>

#include "gui/Backend.h"
#include "gui/Control.h"

namespace gui::fltk {

class FormWindow;

// Adds the control's widget to the window and returns its peer, already in step with the
// control. The widget belongs to the window; the peer must be detached before either goes.
std::unique_ptr<Peer> MakePeer(Control& control, FormWindow& window);

}  // namespace gui::fltk
