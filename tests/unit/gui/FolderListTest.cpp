// The folder list and the drive box over temporary drives C: and D:.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDrives.h"
#include "gui/Application.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/Form.h"
#include "gui/headless/HeadlessBackend.h"
#include "os/posix/PosixSystem.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

class FolderListTest : public testing::Test {
 protected:
  FolderListTest()
      : oldCwd(fs::current_path()),
        system(os::PathMap({{'C', (temp.Path() / "c").string(), os::DriveKind::Fixed, "SYSTEM"},
                            {'D', (temp.Path() / "d").string(), os::DriveKind::Fixed, "DATA"}}),
               "C:\\WINDOWS"),
        app(backend),
        form(app.CreateForm<gui::Form>("Form2")),
        list(form.Add<gui::DirectoryListBox>("DirectoryListBox1")),
        drives(form.Add<gui::DriveComboBox>("DriveComboBox1")) {
    for (const char* folder : {"c/apple/Zed", "c/apple/alpha", "c/Banana", "c/cherry",
                               "c/Program Files", "c/.hidden", "c/apple/.cache", "d/docs"}) {
      fs::create_directories(temp.Path() / folder);
    }
    std::ofstream(temp.Path() / "c" / "file.txt") << "not a folder";
    system.SetCurrentDirectory("C:\\apple");
    list.Attach(system);
    drives.Attach(system);
    drives.SetDirList(&list);
    list.OnClick = [this] { ++clicks; };
  }
  ~FolderListTest() override { fs::current_path(oldCwd); }

  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (const auto& item : list.Items())
      out.push_back(std::string(item.level, ' ') + item.caption + (item.open ? "*" : ""));
    return out;
  }

  fs::path oldCwd;
  TempFolder temp;
  os::PosixSystem system;
  gui::HeadlessBackend backend;
  gui::Application app;
  gui::Form& form;
  gui::DirectoryListBox& list;
  gui::DriveComboBox& drives;
  int clicks = 0;
};

TEST_F(FolderListTest, ShowsWayDownThenSubFoldersSortedWithoutCaseHiddenLeftOut) {
  EXPECT_EQ(list.Directory(), "C:\\apple");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"c:\\*", " apple*", "  alpha", "  Zed"}));
  EXPECT_EQ(list.ItemIndex(), 1);

  list.SetDirectory("C:\\");
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"c:\\*", " apple", " Banana", " cherry", " Program Files"}));
  EXPECT_EQ(list.Items()[4].path, "C:\\Program Files");
}

TEST_F(FolderListTest, SetDirectoryTakesFinalBackslashAndIgnoresMissingFolder) {
  list.SetDirectory("C:\\Banana\\");
  EXPECT_EQ(list.Directory(), "C:\\Banana");
  EXPECT_EQ(system.CurrentDirectory(), "C:\\Banana");

  for (const char* missing : {"C:\\nope", "C:\\apple\\nope\\", "Q:\\", "", "apple"}) {
    EXPECT_NO_THROW(list.SetDirectory(missing)) << missing;
    EXPECT_EQ(list.Directory(), "C:\\Banana") << missing;
    EXPECT_EQ(system.CurrentDirectory(), "C:\\Banana") << missing;
  }
  EXPECT_EQ(clicks, 0);
}

TEST_F(FolderListTest, SelectClicksWithoutOpeningAndOpenItemOpensWithoutClick) {
  list.Select(3);  // "Zed"
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ItemIndex(), 3);
  EXPECT_EQ(list.Directory(), "C:\\apple");

  list.OpenItem(3);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.Directory(), "C:\\apple\\Zed");
  EXPECT_EQ(system.CurrentDirectory(), "C:\\apple\\Zed");

  list.OpenItem(0);  // back up to the root
  EXPECT_EQ(list.Directory(), "C:\\");
  EXPECT_EQ(clicks, 1);
}

TEST_F(FolderListTest, DriveBoxOpensOtherDriveRootAndFollowsTheList) {
  EXPECT_EQ(drives.Items(), (std::vector<std::string>{"c: [SYSTEM]", "d: [DATA]"}));
  EXPECT_EQ(drives.Drive(), 'c');

  drives.Choose(1);
  EXPECT_EQ(list.Directory(), "D:\\");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"d:\\*", " docs"}));
  EXPECT_EQ(clicks, 0);

  list.SetDirectory("C:\\cherry");
  EXPECT_EQ(drives.Drive(), 'c');
  EXPECT_EQ(drives.ItemIndex(), 0);
}

}  // namespace
