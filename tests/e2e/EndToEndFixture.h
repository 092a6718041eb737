// One run of the real executable: a private X server, a distribution server for product
// "ABC", an empty drive C:, and the executable started under the name ABC_setup. Each test
// builds its own and everything stops when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Assistant.h"
#include "Desktop.h"
#include "ProductServer.h"
#include "TempDrives.h"
#include "TestDriveC.h"
#include "XvfbDisplay.h"

namespace e2e {

// Places in the main window's client area and the folder dialog's, in pixels.
struct Point {
  int x, y;
};
inline constexpr Point kInstallButton{252, 258};  // "설 치"
inline constexpr Point kCancelButton{348, 258};   // "취 소"
inline constexpr Point kChangeButton{361, 200};   // "변경"
// The folder list's rows are 16 pixels high, below a 2-pixel frame.
inline Point FolderListRow(int row) {
  return {80, 82 + 2 + 16 * row + 8};
}

inline constexpr const char* kMainWindowClass = "SetupAssistant";
inline constexpr auto kLimit = std::chrono::seconds(20);

class EndToEnd : public ::testing::Test {
 protected:
  EndToEnd();

  // Starts the server with this descriptor, then the executable; false when either fails.
  bool Start(const std::vector<std::string>& descriptorLines);
  // Waits for the main window and then for its buttons to be enabled (the descriptor shown).
  Window WaitForReadyWindow();
  // Waits for a second window of the class (the folder dialog) or for it to go.
  Window WaitForDialog();
  bool WaitForDialogGone();
  // The window as a PNG in the build tree, named after the test, for people to look at.
  void KeepSnapshot(Window window, const std::string& suffix = "");

  // What the recording installer wrote, line by line; empty when it has not run in time.
  std::vector<std::string> InstallerRecord(const std::filesystem::path& folder);

  std::optional<int> WaitForExit() { return assistant_->WaitForExit(kLimit); }

  testing_support::TempFolder temp_;
  TestDriveC driveC_{SETUP_E2E_DRIVE_C};
  testing_support::XvfbDisplay display_;
  Desktop desktop_{display_.Name()};
  std::unique_ptr<ProductServer> server_;
  std::unique_ptr<Assistant> assistant_;
};

// Polls `done` until it holds or the limit passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kLimit);

}  // namespace e2e
