// The install-folder dialog: what it shows, how the list and drive box move, and what OK,
// Cancel and the keys leave in the main window's install folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "WindowFixture.h"
#include "zip/ZipFixture.h"

namespace {

namespace fs = std::filesystem;
using apptest::WindowTest;

class DialogTest : public WindowTest {
 protected:
  DialogTest() : WindowTest("CD") {}

  void SetUp() override {
    for (const char* folder : {"C:\\Apps\\ABC", "C:\\Apps\\zeta", "C:\\Apps\\Beta", "D:\\Data"}) {
      fs::create_directories(drives.Host(folder));
    }
    ServeProduct("C:\\Apps\\ABC\r\n\r\n");
    CreateForms();
    Activate();
  }

  // Opens the dialog with "변경"; the user's actions run inside its modal loop.
  int OpenDialog(std::function<void()> user) {
    backend.Post(std::move(user));
    form1->SpeedButton1.Click();
    return form2->ModalResult();
  }
  int Row(const std::string& caption) const {
    const auto& items = form2->DirectoryListBox1.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].caption == caption) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no row " << caption;
    return -1;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& item : form2->DirectoryListBox1.Items()) captions.push_back(item.caption);
    return captions;
  }
};

TEST_F(DialogTest, ShowsTheProposedFolderAndOpensTheListOnIt) {
  OpenDialog([&] {
    EXPECT_EQ(form2->Edit1.Text(), "C:\\Apps\\ABC");
    EXPECT_EQ(form2->DirectoryListBox1.Directory(), "C:\\Apps\\ABC");
    EXPECT_EQ(drives.System().CurrentDirectory(), "C:\\Apps\\ABC");
    EXPECT_EQ(form2->ActiveControl(), &form2->OKBtn) << "focus starts on OK";
    form2->CancelBtn.Click();
  });
  EXPECT_EQ(form2->Caption(), "경로선택");
  EXPECT_EQ(form2->ClientWidth(), 442);
  EXPECT_EQ(form2->ClientHeight(), 276);
}

TEST_F(DialogTest, MissingProposedFolderLeavesTheListWhereItWas) {
  form1->ipath.SetCaption("C:\\Apps\\New");
  const std::string before = form2->DirectoryListBox1.Directory();
  OpenDialog([&] {
    EXPECT_EQ(form2->Edit1.Text(), "C:\\Apps\\New");
    EXPECT_EQ(form2->DirectoryListBox1.Directory(), before);
    form2->HandleKey(gui::Key::Escape);
  });
}

TEST_F(DialogTest, DoubleClickOpensWithoutTouchingTheEditAndASingleClickCopiesTheOpenFolder) {
  form1->ipath.SetCaption("C:\\Apps");
  OpenDialog([&] {
    EXPECT_EQ(Captions(), (std::vector<std::string>{"c:\\", "Apps", "ABC", "Beta", "zeta"}));
    form2->DirectoryListBox1.OpenItem(Row("Beta"));
    EXPECT_EQ(form2->DirectoryListBox1.Directory(), "C:\\Apps\\Beta");
    EXPECT_EQ(form2->Edit1.Text(), "C:\\Apps");
    form2->DirectoryListBox1.Select(Row("c:\\"));
    EXPECT_EQ(form2->Edit1.Text(), "C:\\Apps\\Beta") << "the open folder, not the row clicked";
    form2->HandleKey(gui::Key::Enter);
  });
  EXPECT_EQ(form1->ipath.Caption(), "C:\\Apps\\Beta");
}

TEST_F(DialogTest, ChoosingAnotherDriveMovesTheListButNotTheEdit) {
  OpenDialog([&] {
    const auto& driveItems = form2->DriveComboBox1.Items();
    ASSERT_EQ(driveItems, (std::vector<std::string>{"c: [DISK_C]", "d: [DISK_D]"}));
    bool listClicked = false;
    form2->DirectoryListBox1.OnClick = [&] { listClicked = true; };
    form2->DriveComboBox1.Choose(1);
    EXPECT_EQ(form2->DirectoryListBox1.Directory(), "D:\\");
    EXPECT_EQ(form2->Edit1.Text(), "C:\\Apps\\ABC");
    EXPECT_FALSE(listClicked);
    // And the drive box follows the list back to C:.
    form2->DirectoryListBox1.SetDirectory("C:\\Apps");
    EXPECT_EQ(form2->DriveComboBox1.Drive(), 'c');
    form2->CancelBtn.Click();
  });
}

TEST_F(DialogTest, TypedFolderGoesIntoTheInstallFolderVerbatimOnEnter) {
  const int result = OpenDialog([&] {
    form2->Edit1.UserEdited("d:\\없는 폴더\\ABC ");
    form2->SetActiveControl(&form2->Edit1);
    form2->HandleKey(gui::Key::Enter);
  });
  EXPECT_EQ(result, gui::mrOk);
  EXPECT_EQ(form1->ipath.Caption(), "d:\\없는 폴더\\ABC ");
}

TEST_F(DialogTest, CancelEscAndCloseBoxChangeNothing) {
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"Esc", [&] { form2->HandleKey(gui::Key::Escape); }},
      {"Cancel button", [&] { form2->CancelBtn.Click(); }},
      {"close box", [&] { form2->Close(); }},
      {"Enter on Cancel",
       [&] {
         form2->SetActiveControl(&form2->CancelBtn);
         form2->HandleKey(gui::Key::Enter);
       }},
  };
  for (const auto& [name, leave] : ways) {
    SCOPED_TRACE(name);
    const int result = OpenDialog([&] {
      form2->Edit1.UserEdited("C:\\Elsewhere");
      leave();
    });
    EXPECT_EQ(result, gui::mrCancel);
    EXPECT_EQ(form1->ipath.Caption(), "C:\\Apps\\ABC");
  }
}

TEST_F(DialogTest, FocusReturnsToTheLastFocusedControlAndStartupDoesNotRunAgain) {
  OpenDialog([&] {
    form2->SetActiveControl(&form2->DirectoryListBox1);
    form2->CancelBtn.Click();
  });
  OpenDialog([&] {
    EXPECT_EQ(form2->ActiveControl(), &form2->DirectoryListBox1);
    form2->OKBtn.Click();
  });
  ASSERT_TRUE(server.WaitUntilIdle());
  const auto t = server.Transcript();
  EXPECT_EQ(std::count(t.begin(), t.end(), ftptest::ScriptedFtpServer::kConnect), 1);
}

TEST_F(DialogTest, ChosenFolderIsWhereTheInstallGoes) {
  server.AddFile("/files/ABC.zip", zipfixture::ProductPackage().Bytes());
  OpenDialog([&] {
    form2->DirectoryListBox1.OpenItem(Row("Apps"));
    form2->DirectoryListBox1.OpenItem(Row("zeta"));
    form2->DirectoryListBox1.Select(0);
    form2->OKBtn.Click();
  });
  form1->Button1.Click();
  ASSERT_EQ(drives.System().started.size(), 1u);
  EXPECT_EQ(drives.System().started[0].file, "C:\\Apps\\zeta\\pelinst.exe");
  EXPECT_TRUE(fs::exists(drives.Host("C:\\Apps\\zeta\\bin\\tool.dll")));
}

}  // namespace
