// Builds a window's controls from its layout table, in the table's order.
#pragma once

#include <stdexcept>
#include <string>

#include "gui/Form.h"
#include "res/Layouts.h"

namespace setup {

// Creates every control of the layout on the form and sets the form's own frame. Returns
// the form, so a window class can build itself before its first control reference is bound.
gui::Form& BuildForm(gui::Form& form, const res::FormLayout& layout);

// The control of that name, which must exist with that kind: a mismatch between the layout
// and the window class is a programming error, caught by the first test that builds it.
template <class T>
T& ControlOf(gui::Form& form, const std::string& name) {
  auto* control = dynamic_cast<T*>(form.Find(name));
  if (control == nullptr) throw std::logic_error("layout has no control " + name);
  return *control;
}

}  // namespace setup
