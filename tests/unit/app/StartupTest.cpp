// The main window's first activation: descriptor and library fetched, the descriptor shown,
// the install folder proposed on the system drive, the buttons enabled.
#include <gtest/gtest.h>

#include <filesystem>

#include "Texts.h"
#include "WindowFixture.h"

namespace {

using apptest::WindowTest;
using Lines = std::vector<std::string>;

class StartupTest : public WindowTest {
 protected:
  // (ipath, Label1 .. Label5)
  Lines Shown() const {
    return {form1->ipath.Caption(),  form1->Label1.Caption(), form1->Label2.Caption(),
            form1->Label3.Caption(), form1->Label4.Caption(), form1->Label5.Caption()};
  }
  bool ButtonsEnabled() const {
    return form1->Button1.Enabled() && form1->Button2.Enabled() && form1->SpeedButton1.Enabled();
  }
  int Connections() {
    EXPECT_TRUE(server.WaitUntilIdle());
    const auto t = server.Transcript();
    return static_cast<int>(std::count(t.begin(), t.end(), ftptest::ScriptedFtpServer::kConnect));
  }
};

TEST_F(StartupTest, WindowStartsWaitingWithEveryControlInPlace) {
  CreateForms();
  struct Expected {
    const char* name;
    gui::Bounds bounds;
    bool visible, enabled;
  } controls[] = {
      {"Shape1", {12, 180, 376, 41}, true, true},
      {"Label1", {40, 71, 350, 12}, true, true},
      {"Label2", {40, 89, 350, 12}, true, true},
      {"Label3", {40, 107, 350, 12}, true, true},
      {"Label4", {40, 125, 350, 12}, true, true},
      {"Label5", {40, 144, 350, 12}, true, true},
      {"Label6", {17, 175, 0, 0}, true, true},
      {"SpeedButton1", {342, 189, 38, 22}, true, false},
      {"Bevel1", {2, 234, 396, 7}, true, true},
      {"ipath", {19, 195, 318, 12}, true, true},
      {"Image1", {0, 0, 403, 65}, true, true},
      {"Gauge1", {7, 264, 166, 4}, false, true},
      {"Button1", {213, 245, 78, 27}, true, false},
      {"Memo1", {8, 216, 385, 24}, false, true},
      {"Button2", {309, 245, 78, 27}, true, false},
  };
  ASSERT_EQ(form1->Controls().size(), std::size(controls));
  for (std::size_t i = 0; i < std::size(controls); ++i) {
    const auto& control = *form1->Controls()[i];
    SCOPED_TRACE(controls[i].name);
    EXPECT_EQ(control.Name(), controls[i].name) << "creation order";
    if (controls[i].bounds.width > 0) {
      EXPECT_EQ(control.GetBounds(), controls[i].bounds);
    }
    EXPECT_EQ(control.Visible(), controls[i].visible);
    EXPECT_EQ(control.Enabled(), controls[i].enabled);
  }
  EXPECT_EQ(form1->Caption(), "설치 도우미");
  EXPECT_EQ(form1->ClientWidth(), 403);
  EXPECT_EQ(form1->ClientHeight(), 284);
  EXPECT_EQ(Shown(), (Lines{"", "", "", "로딩중...", "잠깐만 기다려주세요.....", ""}));
  EXPECT_EQ(form1->Label6.Caption(), " 설치경로 ");
  EXPECT_EQ(form1->Button1.Caption(), "설 치");
  EXPECT_EQ(form1->Button2.Caption(), "취 소");
  EXPECT_EQ(form1->SpeedButton1.Caption(), "변경");
  EXPECT_EQ(form1->Memo1.Lines(), (Lines{"Memo1"}));
  EXPECT_EQ(form1->Gauge1.MaxValue(), 100);
  EXPECT_EQ(form1->Gauge1.Progress(), 0);
  EXPECT_FALSE(form1->Image1.Jpeg().empty());
  EXPECT_EQ(form1->FirstFocusable(), nullptr) << "nothing that can take the focus is enabled";
  EXPECT_FALSE(form2->Showing());
}

class WorkFolderTest : public WindowTest {
 protected:
  WorkFolderTest() : WindowTest("CE", "E:\\WINNT") {}
};

TEST_F(WorkFolderTest, LiesOnTheDriveOfTheWindowsDirectory) {
  drives.WriteFile("E:\\temp$\\keep.txt", "left from an earlier run");
  CreateForms("C:\\Down\\XYZ_setup_2.exe");
  EXPECT_EQ(form1->ProdName, "XYZ");
  EXPECT_EQ(form1->SysDrv, "E");
  EXPECT_EQ(form1->WorkFolder(), "E:\\temp$");
  EXPECT_EQ(form1->ZipMaster1.DLLDirectory, "E:\\temp$");
  EXPECT_EQ(drives.ReadFile("E:\\temp$\\keep.txt"), "left from an earlier run");
  EXPECT_FALSE(drives.System().DirectoryExists("C:\\temp$"));
}

TEST_F(StartupTest, DescriptorFillsTheWindow) {
  struct Case {
    const char* name;
    std::string descriptor;
    Lines shown;
    std::string parameters;
  } cases[] = {
      {"drive letter replaced by the system drive",
       "D:\\Apps\\ABC\r\n/S\r\n첫째 줄\r\n둘째 줄\r\n셋째 줄\r\n넷째 줄\r\n다섯째 줄\r\n",
       {"C:\\Apps\\ABC", "첫째 줄", "둘째 줄", "셋째 줄", "넷째 줄", "다섯째 줄"},
       "/S"},
      {"four lines only",
       "C:\\Apps\\ABC\r\n/S\r\n하나\r\n둘\r\n",
       {"C:\\Apps\\ABC", "하나", "둘", "", "", ""},
       "/S"},
      {"twelve lines",
       "C:\\A\r\np\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n",
       {"C:\\A", "2", "3", "4", "5", "6"},
       "p"},
      {"bare line feeds", "C:\\A\np q\n2\n3\n4\n5\n6\n", {"C:\\A", "2", "3", "4", "5", "6"}, "p q"},
      // A line too wide for the window still is one line: the parameters stay line 1.
      {"over-wide line 0",
       "C:\\" + std::string(120, 'x') + "\r\n/S\r\n정보\r\n",
       {"C:\\" + std::string(120, 'x'), "정보", "", "", "", ""},
       "/S"},
      {"ampersands kept for the labels to draw",
       "C:\\A\r\n\r\nR&D && 설치\r\n",
       {"C:\\A", "R&D && 설치", "", "", "", ""},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    apptest::Rig rig;
    rig.ServeProduct(c.descriptor);
    rig.CreateForms();
    rig.Activate();
    const auto& form = *rig.form1;
    EXPECT_EQ((Lines{form.ipath.Caption(), form.Label1.Caption(), form.Label2.Caption(),
                     form.Label3.Caption(), form.Label4.Caption(), form.Label5.Caption()}),
              c.shown);
    EXPECT_EQ(form.Memo1.Line(1), c.parameters);
    EXPECT_TRUE(form.Button1.Enabled() && form.Button2.Enabled() && form.SpeedButton1.Enabled());
    EXPECT_TRUE(form.ZipMaster1.Loaded());
    EXPECT_TRUE(rig.backend.boxes.empty());
  }
}

TEST_F(StartupTest, MissingDescriptorLeavesEverythingEmptyAndTheBareDrive) {
  server.AddFile("/files/UNZDLL.DLL", apptest::UnzipLibraryBytes());
  CreateForms();
  Activate();
  EXPECT_EQ(Shown(), (Lines{"C", "", "", "", "", ""}));
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(drives.System().FileSize("C:\\temp$\\z.txt"), 0);
  EXPECT_FALSE(form1->ZipMaster1.Loaded()) << "the library comes after the descriptor";
}

TEST_F(StartupTest, MissingLibraryIsReportedByTheUnzipComponent) {
  server.AddFile("/files/ABC.txt", "C:\\A\r\n\r\n");
  CreateForms();
  Activate();
  EXPECT_EQ(drives.System().FileSize("C:\\temp$\\UNZDLL.DLL"), 0);
  EXPECT_FALSE(form1->ZipMaster1.Loaded());
  ASSERT_FALSE(backend.boxes.empty());
  EXPECT_EQ(backend.boxes[0].kind, gui::BoxKind::Message);
  EXPECT_TRUE(ButtonsEnabled());
}

TEST_F(StartupTest, UnreadableWorkFileShowsTheErrorBoxAndKeepsTheButtonsDisabled) {
  ServeProduct("C:\\A\r\n");
  // A folder where the descriptor should go: no download can create it, nothing can read it.
  std::filesystem::create_directories(drives.Host("C:\\temp$\\z.txt"));
  CreateForms();
  Activate();
  // The library never came either, which the unzip component has said first.
  ASSERT_FALSE(backend.boxes.empty());
  const auto& box = backend.boxes.back();
  EXPECT_EQ(box.kind, gui::BoxKind::Error);
  EXPECT_EQ(box.caption, "설치도우미");
  EXPECT_EQ(box.text, "Cannot open file C:\\temp$\\z.txt.");
  EXPECT_FALSE(form1->Button1.Enabled());
  EXPECT_FALSE(form1->Button2.Enabled());
  EXPECT_FALSE(form1->SpeedButton1.Enabled());
}

TEST_F(StartupTest, ServerDownUsesTheDescriptorOfAnEarlierRunAndEnds) {
  drives.WriteFile("C:\\temp$\\z.txt", apptest::Cp949("C:\\Old\r\n\r\n예전\r\n"));
  CreateForms("C:\\Down\\ABC_setup.exe", apptest::ClosedPort());
  Activate();
  EXPECT_EQ(BoxTexts(), (Lines{setup::text::kNoServer}));
  EXPECT_EQ(Shown(), (Lines{"C:\\Old", "예전", "", "", "", ""}));
  EXPECT_TRUE(app.QuitRequested());
  app.Run();
  EXPECT_TRUE(app.Terminated()) << "the loop ends as soon as it gets control";
}

TEST_F(StartupTest, StartFolderPackageIsCopiedToTheSystemDriveRoot) {
  ServeProduct("C:\\A\r\n");
  drives.WriteFile("C:\\z.zip", "old");
  std::filesystem::create_directories(drives.Host("C:\\Down"));
  drives.WriteFile("C:\\Down\\z.zip", "from the start folder");
  drives.System().SetCurrentDirectory("C:\\Down");
  CreateForms();
  Activate();
  EXPECT_EQ(drives.ReadFile("C:\\z.zip"), "from the start folder");
}

TEST_F(StartupTest, ShowingTheWindowAgainFetchesNothing) {
  ServeProduct("C:\\A\r\n");
  CreateForms();
  Activate();
  form1->ipath.SetCaption("C:\\Chosen");
  form1->Hide();
  form1->Show();
  EXPECT_EQ(Connections(), 1);
  EXPECT_EQ(form1->ipath.Caption(), "C:\\Chosen");
}

}  // namespace
