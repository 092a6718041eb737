// A window with one control of every kind, laid out like the assistant's main window with
// the folder dialog's controls beside it.
#pragma once

#include <filesystem>
#include <string>

#include "gui/Application.h"
#include "gui/Form.h"
#include "os/System.h"

namespace guitest {

// A 403 x 65 banner made with ImageMagick, as JPEG bytes.
std::string MakeBanner(const std::filesystem::path& folder);

class DemoForm : public gui::Form {
 public:
  // Where the gauge is drawn, in the window.
  static constexpr int kGaugeLeft = 7, kGaugeTop = 264, kGaugeWidth = 166, kGaugeHeight = 4;
  static constexpr int kWidth = 640, kHeight = 284;

  DemoForm(gui::Application& app, os::System& system, const std::string& banner);
};

}  // namespace guitest
