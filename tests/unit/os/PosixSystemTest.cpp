#include "os/posix/PosixSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TempDrives.h"

namespace {
namespace fs = std::filesystem;
using testing_support::TempFolder;

class PosixSystemTest : public ::testing::Test {
 protected:
  PosixSystemTest()
      : system_(os::PathMap({{'C', (temp_.Path() / "c").string(), os::DriveKind::Fixed, "SYS"},
                             {'E', (temp_.Path() / "e").string(), os::DriveKind::Fixed, ""}}),
                "E:\\WINNT") {
    fs::create_directories(temp_.Path() / "c");
    fs::create_directories(temp_.Path() / "e");
  }
  void Write(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  TempFolder temp_;
  os::PosixSystem system_;
};

TEST_F(PosixSystemTest, FoldersAndFilesThroughWindowsPaths) {
  EXPECT_EQ(system_.WindowsDirectory(), "E:\\WINNT");
  EXPECT_FALSE(system_.DirectoryExists("C:\\temp$"));
  EXPECT_TRUE(system_.CreateDirectory("C:\\temp$"));
  EXPECT_TRUE(system_.DirectoryExists("C:\\temp$\\"));
  EXPECT_FALSE(system_.CreateDirectory("C:\\a\\b")) << "only one level is created";

  Write(temp_.Path() / "c/temp$/z.txt", "12345");
  EXPECT_EQ(system_.FileSize("C:\\temp$\\z.txt"), 5);
  EXPECT_EQ(system_.ReadFile("C:\\temp$\\z.txt"), "12345");
  EXPECT_EQ(system_.FileSize("C:\\temp$\\none"), std::nullopt);
  EXPECT_EQ(system_.ReadFile("C:\\temp$"), std::nullopt) << "a folder is not a file";

  Write(temp_.Path() / "e/z.zip", "old");
  EXPECT_TRUE(system_.CopyFile("C:\\temp$\\z.txt", "E:\\z.zip", false));
  EXPECT_EQ(system_.ReadFile("E:\\z.zip"), "12345");
  EXPECT_FALSE(system_.CopyFile("C:\\temp$\\z.txt", "E:\\z.zip", true));
  EXPECT_FALSE(system_.CopyFile("C:\\nothing", "E:\\y", false));

  EXPECT_TRUE(system_.DeleteFile("E:\\z.zip"));
  EXPECT_FALSE(system_.DeleteFile("E:\\z.zip"));
}

TEST_F(PosixSystemTest, ProgramPathIsTheNameItWasStartedAsInWindowsForm) {
  // Started through a link named for the product: the link's name counts, not its target's.
  os::PosixSystem linked(system_.Map(), "C:\\WINDOWS",
                         (temp_.Path() / "c/Down/ABC_setup").string());
  EXPECT_EQ(linked.ProgramPath(), "C:\\Down\\ABC_setup");
  EXPECT_FALSE(system_.ProgramPath().empty()) << "without a name, the executable's own file";
}

TEST_F(PosixSystemTest, CurrentFolderAndRelativePaths) {
  const fs::path saved = fs::current_path();
  ASSERT_TRUE(system_.CreateDirectory("C:\\temp$"));
  ASSERT_TRUE(system_.SetCurrentDirectory("C:\\temp$"));
  EXPECT_EQ(system_.CurrentDirectory(), "C:\\temp$");
  Write(temp_.Path() / "c/temp$/z.zip", "zip");
  EXPECT_EQ(system_.FileSize("z.zip"), 3) << "relative names resolve against the current folder";
  EXPECT_FALSE(system_.SetCurrentDirectory("C:\\missing"));
  EXPECT_EQ(system_.CurrentDirectory(), "C:\\temp$");
  EXPECT_EQ(system_.HostPath("..\\..\\..\\x"), (temp_.Path() / "c/x").string())
      << "relative paths cannot climb out of the drive either";
  fs::current_path(saved);
}

TEST_F(PosixSystemTest, SubFoldersLeaveOutHiddenOnesAndFiles) {
  fs::create_directories(temp_.Path() / "c/Apps/b");
  fs::create_directories(temp_.Path() / "c/Apps/A");
  fs::create_directories(temp_.Path() / "c/Apps/.hidden");
  Write(temp_.Path() / "c/Apps/file.txt", "");
  auto names = system_.SubFolders("C:\\Apps");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b"}));
  EXPECT_TRUE(system_.SubFolders("C:\\missing").empty());

  const auto drives = system_.Drives();
  ASSERT_EQ(drives.size(), 2u);
  EXPECT_EQ(drives[0].letter, 'C');
  EXPECT_EQ(drives[0].label, "SYS");
}

TEST_F(PosixSystemTest, OpenProgramRunsItWithSplitParametersInItsFolder) {
  const fs::path folder = temp_.Path() / "c/Apps/ABC";
  const fs::path record = temp_.Path() / "record.txt";
  Write(folder / "pelinst.exe", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                                    record.string() + ".tmp'\nmv '" + record.string() + ".tmp' '" +
                                    record.string() + "'\n");
  fs::permissions(folder / "pelinst.exe", fs::perms::owner_all);

  ASSERT_TRUE(
      system_.OpenProgram("C:\\Apps\\ABC\\pelinst.exe", "/S \"two words\"", "C:\\Apps\\ABC\\"));
  // The installer runs on its own; wait for the record it leaves (bounded).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(record);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, fs::canonical(folder).string() + "\n[/S]\n[two words]\n");

  Write(folder / "notexec.exe", "data");
  fs::permissions(folder / "notexec.exe", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(system_.OpenProgram("C:\\Apps\\ABC\\notexec.exe", "", "C:\\Apps\\ABC"));
  EXPECT_FALSE(system_.OpenProgram("C:\\Apps\\ABC\\missing.exe", "", "C:\\Apps\\ABC"));
}

}  // namespace
