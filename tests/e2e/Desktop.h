// The X display as an outside program sees it: windows found by class, their properties,
// size and pixels, and input sent as a user would (xdotool moves the pointer and clicks).
#pragma once

#include <X11/Xlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

class Desktop {
 public:
  // Connects to the display named ":N"; throws std::runtime_error when it cannot.
  explicit Desktop(const std::string& display);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // The viewable top-level windows of an X11 class (exact match), bottom of the stack first.
  std::vector<Window> Windows(const std::string& xclass);
  bool Viewable(Window window);

  // A property's bytes exactly as stored; "" when it is not set.
  std::string PropertyBytes(Window window, const std::string& name);
  // A text property decoded to UTF-8 by Xlib's own rules (STRING as Latin-1, COMPOUND_TEXT).
  std::string PropertyText(Window window, const std::string& name);
  int Width(Window window);
  int Height(Window window);
  // The pixels of a rectangle of the window, row by row; empty when it cannot be read.
  std::vector<Rgb> Pixels(Window window, int x, int y, int width, int height);

  // Pointer to a point of the window's client area, then button 1 pressed `times` times.
  void Click(Window window, int x, int y, int times = 1);
  // A key to the window that has the focus, e.g. "Return" or "Escape".
  void Key(const std::string& name);
  // Asks the window to close, as a window manager does for its close box.
  void SendCloseRequest(Window window);
  // The window as it shows on the screen, saved as PNG.
  void Snapshot(Window window, const std::filesystem::path& file);

 private:
  void Run(const std::string& command);

  Display* display_;
  std::string name_;
};

}  // namespace e2e
