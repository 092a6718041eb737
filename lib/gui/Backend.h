// What the application needs from a windowing system. The FLTK backend shows real windows;
// the headless backend records what would be shown and runs scripted user actions.
#pragma once

#include <string>

namespace gui {

class Form;
class Control;

enum class Cursor { Default, HourGlass };
enum class BoxKind { Message, Error };

struct Size {
  int width = 0, height = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // A form and all its controls exist: make their real counterparts (attach peers).
  virtual void FormCreated(Form& form) = 0;
  // A form is about to be destroyed: drop its real counterparts.
  virtual void FormDestroyed(Form& form) = 0;
  virtual void ShowForm(Form& form, bool modal) = 0;
  virtual void HideForm(Form& form) = 0;

  // Handles every pending input and paint event, without waiting.
  virtual void ProcessMessages() = 0;
  // Waits for the next event and handles it. Returns false when nothing can ever come
  // (the headless backend with an empty script).
  virtual bool WaitMessage() = 0;

  // A modal box with one OK button; returns when the user has closed it.
  virtual void MessageBox(BoxKind kind, const std::string& caption, const std::string& text) = 0;
  virtual void SetCursor(Cursor cursor) = 0;

  virtual Size ScreenSize() = 0;
  // Width and height of a one-line text in the window font, as drawn.
  virtual Size MeasureText(const std::string& text) = 0;
};

}  // namespace gui
