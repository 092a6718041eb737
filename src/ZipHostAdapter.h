// Lets the unzip component speak through the application: its message boxes, the window's
// pending messages, and a password prompt.
#pragma once

#include "gui/Application.h"
#include "zip/ZipMaster.h"

namespace setup {

class PasswordForm;

class ZipHostAdapter : public zip::ZipHost {
 public:
  explicit ZipHostAdapter(gui::Application& app) : app_(app) {}
  void ShowMessage(const std::string& text) override { app_.ShowMessage(text); }
  void ProcessMessages() override { app_.ProcessMessages(); }
  std::optional<std::string> AskPassword(const std::string& entry) override;

 private:
  gui::Application& app_;
  PasswordForm* form_ = nullptr;
};

}  // namespace setup
