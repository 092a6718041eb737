// Acts on a message box while the code under test waits in it: the steps run on the GUI
// thread from inside the box's own loop (as a timer), and a deadline closes any box left open
// so a broken key binding fails the test instead of hanging it.
#pragma once

#include <functional>
#include <string>

namespace guitest {

class BoxDriver {
 public:
  // act(id) gets the box's X window id once the box is on screen.
  explicit BoxDriver(std::function<void(const std::string& id)> act);
  ~BoxDriver();
  BoxDriver(const BoxDriver&) = delete;
  BoxDriver& operator=(const BoxDriver&) = delete;

  bool Acted() const { return acted_; }
  // True when the deadline had to close the box.
  bool TimedOut() const { return timedOut_; }

 private:
  static void Poll(void* self);
  static void Deadline(void* self);

  std::function<void(const std::string&)> act_;
  bool acted_ = false;
  bool timedOut_ = false;
};

}  // namespace guitest
