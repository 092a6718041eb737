// A backend with no display, for tests: it records the boxes and cursor the application
// would show and plays scripted user actions, one per wait for a message.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/Backend.h"

namespace gui {

class HeadlessBackend : public Backend {
 public:
  struct Box {
    BoxKind kind;
    std::string caption;
    std::string text;
  };

  // The boxes shown so far, in order.
  std::vector<Box> boxes;
  // Called while a box is "open", as the user reading it.
  std::function<void(const Box&)> onMessageBox;
  // Called at every ProcessMessages: the user acting while the application is busy.
  std::function<void()> onProcessMessages;
  int processMessagesCalls = 0;
  Cursor cursor = Cursor::Default;
  // The cursor over the application's windows while each box was open.
  std::vector<Cursor> cursorInBoxes;
  std::vector<std::string> shownForms;
  Size screen{1024, 768};

  // A user action for the next wait for a message (the main loop or a modal loop).
  void Post(std::function<void()> action) { script_.push_back(std::move(action)); }
  bool ScriptEmpty() const { return script_.empty(); }

  void FormCreated(Form&) override {}
  void FormDestroyed(Form&) override {}
  void ShowForm(Form& form, bool modal) override;
  void HideForm(Form&) override {}
  void ProcessMessages() override;
  bool WaitMessage() override;
  void MessageBox(BoxKind kind, const std::string& caption, const std::string& text) override;
  void SetCursor(Cursor c) override { cursor = c; }
  Size ScreenSize() override { return screen; }
  Size MeasureText(const std::string& text) override;

 private:
  std::deque<std::function<void()>> script_;
};

}  // namespace gui
