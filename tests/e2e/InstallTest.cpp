// The whole job: "설 치" fetches the package, unpacks it into the proposed folder on the
// system drive, starts its installer with the descriptor's parameters and ends.
#include <fstream>
#include <sstream>

#include "EndToEndFixture.h"
#include "zip/ZipFixture.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(EndToEnd, InstallUnpacksIntoTheProposedFolderAndStartsTheInstaller) {
  // The descriptor names drive D:; the assistant always installs on the system drive.
  ASSERT_TRUE(Start({"D:\\Program Files\\ABC", R"(/S /LOG="설치 기록.txt" /DIR="C:\a b")",
                     "데모 제품", "", "", "", ""}));
  const Window window = WaitForReadyWindow();
  ASSERT_NE(window, 0u) << assistant_->Output();

  desktop_.Click(window, kInstallButton.x, kInstallButton.y);
  EXPECT_EQ(WaitForExit(), std::optional<int>(0)) << assistant_->Output();

  const fs::path installed = driveC_.Host("C:\\Program Files\\ABC");
  for (const auto& [relative, content] : zipfixture::ProductPackageFiles(kRecordingInstaller)) {
    EXPECT_EQ(FileText(installed / fs::u8path(relative)), content) << relative;
  }
  EXPECT_NE(fs::status(installed / "pelinst.exe").permissions() & fs::perms::owner_exec,
            fs::perms::none);

  // Line 1 split by the Windows command-line rules; the install folder as working folder.
  const std::vector<std::string> expected = {fs::canonical(installed).string(), "[/S]",
                                             "[/LOG=설치 기록.txt]", "[/DIR=C:\\a b]"};
  EXPECT_EQ(InstallerRecord(installed), expected);

  EXPECT_FALSE(fs::exists(driveC_.Host("C:\\temp$\\z.zip")));
  EXPECT_TRUE(fs::exists(driveC_.Host("C:\\temp$\\z.txt")));
  EXPECT_TRUE(fs::exists(driveC_.Host("C:\\temp$\\UNZDLL.DLL")));
}

}  // namespace
}  // namespace e2e
