// A private X server for tests that open real windows: Xvfb on a display number it picks
// itself (so parallel test programs never share one), stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

namespace testing_support {

class XvfbDisplay {
 public:
  // Starts "Xvfb -displayfd ... -screen 0 <screen> -nolisten tcp" and waits until it serves.
  // Throws std::runtime_error when it does not come up within a few seconds.
  explicit XvfbDisplay(const std::string& screen = "1024x768x24");
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // ":N", for DISPLAY.
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

}  // namespace testing_support
