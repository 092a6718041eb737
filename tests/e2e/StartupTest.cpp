// From start to close: the window a user sees, the files the start-up fetched, and a clean
// exit whichever way the user closes it.
#include <fstream>
#include <sstream>

#include "EndToEndFixture.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const char* const kTitle = "설치 도우미";

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

enum class CloseBy { CancelButton, CloseBox };

class Startup : public EndToEnd {
 protected:
  void ShowsTheWindowAndEndsCleanlyWhenClosedBy(CloseBy way);
};

void Startup::ShowsTheWindowAndEndsCleanlyWhenClosedBy(CloseBy way) {
  ASSERT_TRUE(Start(
      {"C:\\Program Files\\ABC", "/S", "첫째 줄", "둘째 줄", "셋째 줄", "넷째 줄", "다섯째 줄"}));
  const Window window = WaitForReadyWindow();
  ASSERT_NE(window, 0u) << assistant_->Output();

  // FLTK 1.3 puts the UTF-8 title into _NET_WM_NAME and the same bytes into WM_NAME, which
  // it labels STRING (Latin-1); a toolkit that encodes WM_NAME properly is fine too.
  EXPECT_EQ(desktop_.PropertyBytes(window, "_NET_WM_NAME"), kTitle);
  const std::string legacyName = desktop_.PropertyBytes(window, "WM_NAME");
  EXPECT_TRUE(legacyName == kTitle || desktop_.PropertyText(window, "WM_NAME") == kTitle)
      << legacyName;
  EXPECT_EQ(desktop_.Width(window), 403);
  EXPECT_EQ(desktop_.Height(window), 284);
  KeepSnapshot(window);

  EXPECT_EQ(FileBytes(driveC_.Host("C:\\temp$\\z.txt")), server_->DescriptorBytes());
  EXPECT_EQ(FileBytes(driveC_.Host("C:\\temp$\\UNZDLL.DLL")), FileBytes(SETUP_UNZDLL_PATH));

  if (way == CloseBy::CancelButton) {
    desktop_.Click(window, kCancelButton.x, kCancelButton.y);
  } else {
    desktop_.SendCloseRequest(window);
  }
  EXPECT_EQ(WaitForExit(), std::optional<int>(0)) << assistant_->Output();
  EXPECT_TRUE(desktop_.Windows(kMainWindowClass).empty());
  // Closing is not installing.
  EXPECT_FALSE(fs::exists(driveC_.Host("C:\\Program Files\\ABC")));
  EXPECT_FALSE(fs::exists(driveC_.Host("C:\\temp$\\z.zip")));
}

TEST_F(Startup, WindowFromOutsideThenCancelButtonEndsTheRun) {
  ShowsTheWindowAndEndsCleanlyWhenClosedBy(CloseBy::CancelButton);
}

TEST_F(Startup, WindowFromOutsideThenCloseBoxEndsTheRun) {
  ShowsTheWindowAndEndsCleanlyWhenClosedBy(CloseBy::CloseBox);
}

}  // namespace
}  // namespace e2e
