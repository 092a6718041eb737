#include "Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace e2e {

Desktop::Desktop(const std::string& display)
    : display_(XOpenDisplay(display.c_str())), name_(display) {
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + display);
}

Desktop::~Desktop() {
  XCloseDisplay(display_);
}

void Desktop::Run(const std::string& command) {
  const std::string line = "DISPLAY=" + name_ + " " + command + " >/dev/null 2>&1";
  const int status = std::system(line.c_str());
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("failed: " + command);
  }
}

std::vector<Window> Desktop::Windows(const std::string& xclass) {
  std::vector<Window> found;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) {
    return found;
  }
  for (unsigned i = 0; i < count; ++i) {
    XClassHint hint{};
    if (XGetClassHint(display_, children[i], &hint) == 0) continue;
    if (hint.res_class != nullptr && xclass == hint.res_class && Viewable(children[i])) {
      found.push_back(children[i]);
    }
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  XFree(children);
  return found;
}

bool Desktop::Viewable(Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

std::string Desktop::PropertyBytes(Window window, const std::string& name) {
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display_, name.c_str(), False);
  if (XGetWindowProperty(display_, window, property, 0, 4096, False, AnyPropertyType, &type,
                         &format, &items, &after, &data) != Success ||
      data == nullptr) {
    return {};
  }
  std::string bytes(reinterpret_cast<const char*>(data), format == 8 ? items : 0);
  XFree(data);
  return bytes;
}

std::string Desktop::PropertyText(Window window, const std::string& name) {
  XTextProperty property{};
  if (XGetTextProperty(display_, window, &property, XInternAtom(display_, name.c_str(), False)) ==
      0) {
    return {};
  }
  char** list = nullptr;
  int count = 0;
  std::string text;
  if (Xutf8TextPropertyToTextList(display_, &property, &list, &count) >= Success && count > 0) {
    text = list[0];
  }
  if (list != nullptr) XFreeStringList(list);
  XFree(property.value);
  return text;
}

int Desktop::Width(Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  return attributes.width;
}

int Desktop::Height(Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  return attributes.height;
}

std::vector<Rgb> Desktop::Pixels(Window window, int x, int y, int width, int height) {
  std::vector<Rgb> pixels;
  XImage* image = XGetImage(display_, window, x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      // Xvfb's default visual is 24-bit true colour: 0xRRGGBB.
      const unsigned long p = XGetPixel(image, column, row);
      pixels.push_back({static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                        static_cast<int>(p & 0xFF)});
    }
  }
  XDestroyImage(image);
  return pixels;
}

void Desktop::Click(Window window, int x, int y, int times) {
  Run("xdotool mousemove --sync --window " + std::to_string(window) + " " + std::to_string(x) +
      " " + std::to_string(y) + " click --repeat " + std::to_string(times) + " --delay 80 1");
}

void Desktop::Key(const std::string& name) {
  Run("xdotool key " + name);
}

void Desktop::SendCloseRequest(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

void Desktop::Snapshot(Window window, const std::filesystem::path& file) {
  Run("import -window " + std::to_string(window) + " '" + file.string() + "'");
}

}  // namespace e2e
