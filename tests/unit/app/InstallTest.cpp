// The install action: package fetched, unpacked into the install folder, installer started,
// window closed, package file removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Texts.h"
#include "WindowFixture.h"
#include "zip/ZipFixture.h"

namespace {

namespace fs = std::filesystem;
using apptest::WindowTest;
using Lines = std::vector<std::string>;

class InstallTest : public WindowTest {
 protected:
  // A product whose descriptor proposes folder and passes parameters, with a package.
  void Ready(const std::string& folder, const std::string& parameters,
             const std::string& package = zipfixture::ProductPackage().Bytes()) {
    ServeProduct(folder + "\r\n" + parameters + "\r\n정보\r\n");
    server_.AddFile("/files/ABC.zip", package);
    CreateForms();
    Activate();
    ASSERT_TRUE(form1->Button1.Enabled());
  }
  void Install() { form1->Button1.Click(); }
  using Started = testing_support::TestSystem::Started;
  std::vector<Started>& started() { return drives_.System().started; }
  bool Closed() const { return app_.QuitRequested(); }
  bool InWork(const std::string& name) { return fs::exists(drives_.Host("C:\\temp$\\" + name)); }
};

TEST_F(InstallTest, UnpacksStartsTheInstallerClosesAndRemovesThePackage) {
  Ready("C:\\Apps\\ABC", "/S /D=\"C:\\Apps\\ABC\"");
  Install();
  for (const auto& [path, content] : zipfixture::ProductPackageFiles()) {
    std::ifstream in(drives_.Host("C:\\Apps\\ABC\\") / path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content) << path;
  }
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].file, "C:\\Apps\\ABC\\pelinst.exe");
  EXPECT_EQ(started()[0].parameters, "/S /D=\"C:\\Apps\\ABC\"");
  EXPECT_EQ(started()[0].folder, "C:\\Apps\\ABC\\");
  EXPECT_EQ(form1->ipath.Caption(), "C:\\Apps\\ABC\\");
  EXPECT_TRUE(Closed());
  EXPECT_EQ(app_.ScreenCursor(), gui::Cursor::Default);
  EXPECT_TRUE(InWork("z.txt"));
  EXPECT_TRUE(InWork("UNZDLL.DLL"));
  EXPECT_FALSE(InWork("z.zip"));
  EXPECT_TRUE(backend_.boxes.empty());
  EXPECT_EQ(drives_.System().CurrentDirectory(), "C:\\temp$");
}

TEST_F(InstallTest, InstallFolderIsTrimmedAndEndsInABackslash) {
  struct Case {
    const char* typed;
    const char* used;
  } cases[] = {
      {"C:\\Apps\\ABC", "C:\\Apps\\ABC\\"},
      {"C:\\Apps\\ABC\\", "C:\\Apps\\ABC\\"},
      {"  C:\\Apps\\ABC \t", "C:\\Apps\\ABC\\"},
      {" C:\\Apps\\ABC\\", "C:\\Apps\\ABC\\"},
      {"C:\\Program Files\\ABC", "C:\\Program Files\\ABC\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ftptest::ScriptedFtpServer server;
    testing_support::TempDrives drives;
    gui::HeadlessBackend backend;
    gui::Application app(backend);
    server.AddFile("/files/ABC.txt", "C:\\X\r\n-q\r\n");
    server.AddFile("/files/UNZDLL.DLL", apptest::UnzipLibraryBytes());
    server.AddFile("/files/ABC.zip", zipfixture::ProductPackage().Bytes());
    drives.System().programPath = "C:\\ABC_setup";
    fs::create_directories(drives.Host("C:\\Apps"));
    auto& form = app.CreateForm<setup::TForm1>(drives.System(),
                                               setup::ServerConfig{"127.0.0.1", server.Port()});
    form.Show();
    form.ipath.SetCaption(c.typed);
    form.Button1.Click();
    EXPECT_EQ(form.ipath.Caption(), c.used);
    ASSERT_EQ(drives.System().started.size(), 1u);
    EXPECT_EQ(drives.System().started[0].file, std::string(c.used) + "pelinst.exe");
    EXPECT_EQ(drives.System().started[0].folder, c.used);
    EXPECT_TRUE(fs::exists(drives.Host(std::string(c.used) + "bin\\tool.dll")));
  }
}

TEST_F(InstallTest, EmptyParameterLineStartsTheInstallerWithoutParameters) {
  Ready("C:\\Apps\\ABC", "");
  Install();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].parameters, "");
}

TEST_F(InstallTest, ExistingFilesAreReplacedWithoutAQuestion) {
  drives_.WriteFile("C:\\Apps\\ABC\\bin\\tool.dll", "old version");
  Ready("C:\\Apps\\ABC", "");
  Install();
  std::ifstream in(drives_.Host("C:\\Apps\\ABC\\bin\\tool.dll"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "tool library\n");
  EXPECT_TRUE(Closed());
}

TEST_F(InstallTest, TheInstallerRunsForRealWithItsParametersInTheInstallFolder) {
  drives_.System().runPrograms = true;
  Ready("C:\\Apps\\ABC", "/S \"two words\"");
  Install();
  const fs::path ran = drives_.Host("C:\\Apps\\ABC\\pelinst.ran");
  for (int i = 0; i < 500 && !fs::exists(ran); ++i) {
    drives_.System().os::PosixSystem::Pause(10);  // the installer is a separate process
  }
  std::ifstream in(ran);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "/S two words\n");
}

// An extraction that fails must not start whatever installer may be lying there.
TEST_F(InstallTest, FailedExtractionSaysSoAndLeavesTheWindowOpen) {
  struct Case {
    const char* name;
    std::string package;
  } cases[] = {
      {"not a zip archive", std::string(5000, 'x')},
      {"entry escaping the install folder", zipfixture::ZipBuilder()
                                                .File("pelinst.exe", "#!/bin/sh\n", 0755)
                                                .File("../evil.txt", "x")
                                                .Bytes()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ftptest::ScriptedFtpServer server;
    testing_support::TempDrives drives;
    gui::HeadlessBackend backend;
    gui::Application app(backend);
    app.Title = setup::text::kAppTitle;
    server.AddFile("/files/ABC.txt", "C:\\Apps\\ABC\r\n\r\n");
    server.AddFile("/files/UNZDLL.DLL", apptest::UnzipLibraryBytes());
    server.AddFile("/files/ABC.zip", c.package);
    drives.System().programPath = "C:\\ABC_setup";
    auto& form = app.CreateForm<setup::TForm1>(drives.System(),
                                               setup::ServerConfig{"127.0.0.1", server.Port()});
    form.Show();
    form.Button1.Click();
    ASSERT_FALSE(backend.boxes.empty());
    EXPECT_EQ(backend.boxes.back().text, setup::text::kUnzipFailed);
    EXPECT_TRUE(drives.System().started.empty());
    EXPECT_FALSE(app.QuitRequested());
    EXPECT_FALSE(form.Button1.Enabled() || form.Button2.Enabled() || form.SpeedButton1.Enabled());
    EXPECT_EQ(app.ScreenCursor(), gui::Cursor::Default);
    EXPECT_FALSE(fs::exists(drives.Host("C:\\temp$\\z.zip")));
    EXPECT_FALSE(fs::exists(drives.Host("C:\\Apps\\evil.txt")));
  }
}

TEST_F(InstallTest, LibraryTooOldInstallsNothing) {
  ServeProduct("C:\\Apps\\ABC\r\n\r\n");
  std::ifstream old(SETUP_UNZDLL_OLD_PATH, std::ios::binary);
  server_.AddFile("/files/UNZDLL.DLL", std::string(std::istreambuf_iterator<char>(old), {}));
  server_.AddFile("/files/ABC.zip", zipfixture::ProductPackage().Bytes());
  CreateForms();
  Activate();
  EXPECT_FALSE(form1->ZipMaster1.Loaded());
  Install();
  EXPECT_FALSE(fs::exists(drives_.Host("C:\\Apps\\ABC\\pelinst.exe")));
  EXPECT_TRUE(started().empty());
  EXPECT_EQ(BoxTexts().back(), setup::text::kUnzipFailed);
  EXPECT_FALSE(Closed());
}

TEST_F(InstallTest, ButtonsStayDisabledAndTheCursorBusyWhileTheNetworkPhaseRuns) {
  Ready("C:\\Apps\\ABC", "");
  bool checked = false;
  backend_.onProcessMessages = [&] {
    if (!form1->Working) return;
    checked = true;
    EXPECT_FALSE(form1->Button1.Enabled() || form1->Button2.Enabled() ||
                 form1->SpeedButton1.Enabled());
    EXPECT_EQ(app_.ScreenCursor(), gui::Cursor::HourGlass);
  };
  Install();
  EXPECT_TRUE(checked);
}

}  // namespace
