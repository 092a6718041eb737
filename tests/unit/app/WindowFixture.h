// The two windows on the headless backend, over temporary drives with a fake clock, talking
// to a scripted FTP server on loopback.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TempDrives.h"
#include "Unit1.h"
#include "Unit2.h"
#include "ftp/ScriptedFtpServer.h"
#include "gui/Application.h"
#include "gui/headless/HeadlessBackend.h"

namespace apptest {

// Code page 949 bytes of a UTF-8 text, as a Korean Windows editor saves a descriptor.
std::string Cp949(const std::string& utf8);

// The bytes of the unzip library this build made.
std::string UnzipLibraryBytes();

// A port on loopback where nothing listens.
int ClosedPort();

// Everything the windows need: temporary drives, a scripted server, the application. A test
// fixture is one; a table of cases makes one per case.
struct Rig {
  explicit Rig(const std::string& letters = "C", const std::string& windowsDir = "C:\\WINDOWS")
      : drives(letters, windowsDir) {}

  // Creates the main window and the dialog as the entry point does.
  void CreateForms(const std::string& programPath = "C:\\Down\\ABC_setup.exe");
  void CreateForms(const std::string& programPath, int port);

  // Serves a descriptor (given in UTF-8, served in code page 949) and the real unzip library.
  void ServeProduct(const std::string& descriptorUtf8, const std::string& code = "ABC");

  // Runs the first activation, as showing the window does.
  void Activate() { form1->Show(); }

  std::vector<std::string> BoxTexts() const;

  testing_support::TempDrives drives;
  ftptest::ScriptedFtpServer server;
  gui::HeadlessBackend backend;
  gui::Application app{backend};
  setup::TForm1* form1 = nullptr;
  setup::TForm2* form2 = nullptr;
};

class WindowTest : public ::testing::Test, public Rig {
 protected:
  using Rig::Rig;
};

}  // namespace apptest
