// The folder dialog with the mouse and the keyboard: the folder picked there is where the
// product goes.
#include <fstream>

#include "EndToEndFixture.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

TEST_F(EndToEnd, FolderPickedInTheDialogIsWhereTheProductGoes) {
  // A known tree, so that each row of the list is known: the list shows the root, the open
  // folder, then its sub-folders sorted without regard to case.
  for (const char* folder : {"Apps/alpha", "Apps/Beta/sub", "Apps/Gamma"}) {
    fs::create_directories(driveC_.Root() / folder);
  }
  ASSERT_TRUE(Start({"C:\\Apps", "", "", "", "", "", ""}));
  const Window window = WaitForReadyWindow();
  ASSERT_NE(window, 0u) << assistant_->Output();

  desktop_.Click(window, kChangeButton.x, kChangeButton.y);
  const Window dialog = WaitForDialog();
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(desktop_.Width(dialog), 442);
  EXPECT_EQ(desktop_.Height(dialog), 276);
  // Rows: c:\, Apps (open), alpha, Beta, Gamma. A double-click opens Beta; the list then
  // shows c:\, Apps, Beta (open), sub, and a click on the open folder puts it in the edit box.
  const Point beta = FolderListRow(3);
  desktop_.Click(dialog, beta.x, beta.y, 2);
  const Point opened = FolderListRow(2);
  desktop_.Click(dialog, opened.x, opened.y);
  KeepSnapshot(dialog);
  desktop_.Key("Return");
  ASSERT_TRUE(WaitForDialogGone());

  desktop_.Click(window, kInstallButton.x, kInstallButton.y);
  EXPECT_EQ(WaitForExit(), std::optional<int>(0)) << assistant_->Output();

  const fs::path chosen = driveC_.Root() / "Apps" / "Beta";
  EXPECT_TRUE(fs::exists(chosen / "pelinst.exe"));
  EXPECT_TRUE(fs::exists(chosen / "bin" / "tool.dll"));
  EXPECT_FALSE(fs::exists(driveC_.Root() / "Apps" / "pelinst.exe"));
  const auto record = InstallerRecord(chosen);
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(record.front(), fs::canonical(chosen).string());
}

}  // namespace
}  // namespace e2e
