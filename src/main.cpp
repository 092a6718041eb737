// Entry point: the application, its two windows, and the message loop.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "Config.h"
#include "Texts.h"
#include "Unit1.h"
#include "Unit2.h"
#include "gui/Application.h"
#include "gui/fltk/FltkBackend.h"
#include "os/posix/PosixSystem.h"
#include "res/Resources.h"

namespace {

// The file the program was started as, links not followed: its name carries the product
// code. Empty when it was found through the search path (the OS layer then asks the system).
std::string StartedAs(const char* argv0) {
  const std::string name = argv0 != nullptr ? argv0 : "";
  if (name.find('/') == std::string::npos) return "";
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
  return ec ? "" : absolute.lexically_normal().string();
}

}  // namespace

int main(int /*argc*/, char** argv) {
  std::unique_ptr<gui::FltkBackend> backend;
  try {
    backend = std::make_unique<gui::FltkBackend>();
  } catch (const std::exception& e) {
    // Without a display there is no window to say anything in.
    std::fprintf(stderr, "setup: %s\n", e.what());
    return 1;
  }
  backend->SetIcon(std::string(res::icon_png));
  gui::Application app(*backend);
  app.Title = setup::text::kAppTitle;

  os::PosixSystem system(setup::BuiltInDrives(), "C:\\WINDOWS", StartedAs(argv[0]));
  auto& form1 = app.CreateForm<setup::TForm1>(system, setup::BuiltInServer());
  auto& form2 = app.CreateForm<setup::TForm2>(system, form1.ipath);
  form1.Form2 = &form2;
  app.Run();
  return 0;
}
