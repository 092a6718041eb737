#include "ScreenTools.h"

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/x.H>
#include <X11/Xft/Xft.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <thread>

// FLTK's current Xft font; x.H declares it only when built into FLTK itself.
extern void* fl_xftfont;

namespace guitest {

std::string Run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  ::pclose(pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  Fl::check();
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Fl::wait(0.02);
  }
  return true;
}

Screenshot::Screenshot(const std::filesystem::path& file) {
  Run("import -window root '" + file.string() + "'");
  Fl_PNG_Image png(file.c_str());
  if (png.fail() != 0 || png.w() <= 0) throw std::runtime_error("no screenshot " + file.string());
  width_ = png.w();
  height_ = png.h();
  const int depth = png.d();
  const int stride = png.ld() != 0 ? png.ld() : width_ * depth;
  const auto* data = reinterpret_cast<const unsigned char*>(png.data()[0]);
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const unsigned char* p = data + y * stride + x * depth;
      Rgb& out = pixels_[static_cast<std::size_t>(y * width_ + x)];
      out = depth >= 3 ? Rgb{p[0], p[1], p[2]} : Rgb{p[0], p[0], p[0]};
    }
  }
}

Rgb Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

int Screenshot::Count(int x, int y, int w, int h, const std::function<bool(Rgb)>& pred) const {
  int count = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) count += pred(At(i, j)) ? 1 : 0;
  }
  return count;
}

std::string FindWindow(const std::string& xclass) {
  const std::string ids =
      Run("xdotool search --onlyvisible --class '^" + xclass + "$' 2>/dev/null");
  return ids.substr(0, ids.find('\n'));
}

int WindowInfo(const std::string& id, const std::string& field) {
  std::istringstream report(Run("xwininfo -id " + id));
  std::string line;
  const std::string key = field + ":";
  while (std::getline(report, line)) {
    const auto at = line.find(key);
    if (at != std::string::npos) return std::stoi(line.substr(at + key.size()));
  }
  return -1;
}

namespace {

// A connection of the test's own, as an outside program would have.
class Connection {
 public:
  Connection() : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) throw std::runtime_error("no X display");
  }
  ~Connection() { XCloseDisplay(display_); }
  Display* operator*() const { return display_; }

 private:
  Display* display_;
};

}  // namespace

void SendCloseRequest(const std::string& id) {
  Connection x;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(id);
  event.xclient.message_type = XInternAtom(*x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(*x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(*x, event.xclient.window, False, NoEventMask, &event);
  XSync(*x, False);
}

void MovePointer(int x, int y) {
  Connection c;
  XWarpPointer(*c, 0, DefaultRootWindow(*c), 0, 0, 0, 0, x, y);
  XSync(*c, False);
}

std::vector<unsigned long> CursorImage() {
  if (fl_display != nullptr) XSync(fl_display, False);  // our own cursor changes first
  Connection c;
  XFixesCursorImage* image = XFixesGetCursorImage(*c);
  if (image == nullptr) return {};
  std::vector<unsigned long> pixels(image->pixels, image->pixels + image->width * image->height);
  XFree(image);
  return pixels;
}

bool CurrentFontHas(const std::vector<unsigned>& characters) {
  auto* font = static_cast<XftFont*>(fl_xftfont);
  if (font == nullptr) return false;
  for (unsigned ch : characters) {
    if (!XftCharExists(fl_display, font, ch)) return false;
  }
  return true;
}

}  // namespace guitest
