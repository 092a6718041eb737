#include "EndToEndFixture.h"

#include <fstream>
#include <thread>

namespace e2e {
namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

EndToEnd::EndToEnd() {
  // Programs the tests start (xdotool, import) find the display through the environment.
  ::setenv("DISPLAY", display_.Name().c_str(), 1);
}

bool EndToEnd::Start(const std::vector<std::string>& descriptorLines) {
  server_ = std::make_unique<ProductServer>(temp_.Path() / "server", "ABC", descriptorLines,
                                            SETUP_E2E_PORT);
  if (!server_->Running()) return false;
  const fs::path programFolder = temp_.Path() / "Down";
  fs::create_directories(programFolder);
  assistant_ =
      std::make_unique<Assistant>(SETUP_E2E_EXECUTABLE, programFolder, "ABC", display_.Name());
  return true;
}

Window EndToEnd::WaitForReadyWindow() {
  Window window = 0;
  WaitUntil([&] {
    const auto found = desktop_.Windows(kMainWindowClass);
    if (!found.empty()) window = found.front();
    return window != 0 || !assistant_->Running();
  });
  if (window == 0) return 0;
  // From outside, "enabled" shows only in the pixels: the install button's label turns from
  // grey to black once the start-up sequence is done. A window not painted yet is all black,
  // so the label's light background must be there too.
  const bool ready = WaitUntil([&] {
    int dark = 0;
    int light = 0;
    for (const Rgb& p :
         desktop_.Pixels(window, kInstallButton.x - 14, kInstallButton.y - 6, 28, 12)) {
      const int sum = p.r + p.g + p.b;
      dark += sum < 3 * 80 ? 1 : 0;
      light += sum > 3 * 200 ? 1 : 0;
    }
    return (dark > 0 && light > 0) || !assistant_->Running();
  });
  return ready && assistant_->Running() ? window : 0;
}

Window EndToEnd::WaitForDialog() {
  Window dialog = 0;
  WaitUntil([&] {
    const auto found = desktop_.Windows(kMainWindowClass);
    if (found.size() >= 2) dialog = found.back();
    return dialog != 0;
  });
  return dialog;
}

bool EndToEnd::WaitForDialogGone() {
  return WaitUntil([&] { return desktop_.Windows(kMainWindowClass).size() == 1; });
}

void EndToEnd::KeepSnapshot(Window window, const std::string& suffix) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name() + suffix;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const fs::path folder = SETUP_E2E_SCREENSHOTS;
  fs::create_directories(folder);
  desktop_.Snapshot(window, folder / (name + ".png"));
}

std::vector<std::string> EndToEnd::InstallerRecord(const fs::path& folder) {
  // The installer runs detached and may finish after the assistant has exited.
  const fs::path log = folder / "pelinst.log";
  std::vector<std::string> lines;
  if (!WaitUntil([&] { return fs::exists(log); })) return lines;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace e2e
