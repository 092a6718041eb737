// What the window tests use to look at the screen from outside and to wait for it.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace guitest {

// Runs a shell command and returns what it printed, without the final newline.
std::string Run(const std::string& command);

// Handles FLTK events until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(5));

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// The whole screen, taken with ImageMagick's import into a file of the test's own.
class Screenshot {
 public:
  explicit Screenshot(const std::filesystem::path& file);
  Rgb At(int x, int y) const;
  // Pixels in the rectangle for which the predicate holds.
  int Count(int x, int y, int w, int h, const std::function<bool(Rgb)>& pred) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgb> pixels_;
};

// A window id of a visible window of the given X11 class (exact match), or "".
std::string FindWindow(const std::string& xclass);
// One field of xwininfo's report, e.g. "Width" or "Absolute upper-left X".
int WindowInfo(const std::string& id, const std::string& field);

// Asks a window to close as a window manager does for its close box (WM_DELETE_WINDOW).
void SendCloseRequest(const std::string& id);

// Moves the mouse pointer to a point of the screen.
void MovePointer(int x, int y);
// The pixels of the mouse cursor the screen shows now (XFixes).
std::vector<unsigned long> CursorImage();

// Whether FLTK's current font (after fl_font) has glyphs for these characters.
bool CurrentFontHas(const std::vector<unsigned>& characters);

}  // namespace guitest
