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
    server.AddFile("/files/ABC.zip", package);
    CreateForms();
    Activate();
    ASSERT_TRUE(form1->Button1.Enabled());
  }
  void Install() { form1->Button1.Click(); }
  using Started = testing_support::TestSystem::Started;
  std::vector<Started>& started() { return drives.System().started; }
  bool Closed() const { return app.QuitRequested(); }
  bool InWork(const std::string& name) { return fs::exists(drives.Host("C:\\temp$\\" + name)); }
};

TEST_F(InstallTest, UnpacksStartsTheInstallerClosesAndRemovesThePackage) {
  Ready("C:\\Apps\\ABC", "/S /D=\"C:\\Apps\\ABC\"");
  Install();
  for (const auto& [path, content] : zipfixture::ProductPackageFiles()) {
    std::ifstream in(drives.Host("C:\\Apps\\ABC\\") / path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content) << path;
  }
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].file, "C:\\Apps\\ABC\\pelinst.exe");
  EXPECT_EQ(started()[0].parameters, "/S /D=\"C:\\Apps\\ABC\"");
  EXPECT_EQ(started()[0].folder, "C:\\Apps\\ABC\\");
  EXPECT_EQ(form1->ipath.Caption(), "C:\\Apps\\ABC\\");
  EXPECT_TRUE(Closed());
  EXPECT_EQ(app.ScreenCursor(), gui::Cursor::Default);
  EXPECT_TRUE(InWork("z.txt"));
  EXPECT_TRUE(InWork("UNZDLL.DLL"));
  EXPECT_FALSE(InWork("z.zip"));
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_EQ(drives.System().CurrentDirectory(), "C:\\temp$");
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
    apptest::Rig rig;
    rig.ServeProduct("C:\\X\r\n-q\r\n");
    rig.server.AddFile("/files/ABC.zip", zipfixture::ProductPackage().Bytes());
    fs::create_directories(rig.drives.Host("C:\\Apps"));
    rig.CreateForms();
    rig.Activate();
    rig.form1->ipath.SetCaption(c.typed);
    rig.form1->Button1.Click();
    const auto& started = rig.drives.System().started;
    EXPECT_EQ(rig.form1->ipath.Caption(), c.used);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].file, std::string(c.used) + "pelinst.exe");
    EXPECT_EQ(started[0].folder, c.used);
    EXPECT_TRUE(fs::exists(rig.drives.Host(std::string(c.used) + "bin\\tool.dll")));
  }
}

TEST_F(InstallTest, EmptyParameterLineStartsTheInstallerWithoutParameters) {
  Ready("C:\\Apps\\ABC", "");
  Install();
  ASSERT_EQ(started().size(), 1u);
  EXPECT_EQ(started()[0].parameters, "");
}

TEST_F(InstallTest, ExistingFilesAreReplacedWithoutAQuestion) {
  drives.WriteFile("C:\\Apps\\ABC\\bin\\tool.dll", "old version");
  Ready("C:\\Apps\\ABC", "");
  Install();
  std::ifstream in(drives.Host("C:\\Apps\\ABC\\bin\\tool.dll"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "tool library\n");
  EXPECT_TRUE(Closed());
}

TEST_F(InstallTest, TheInstallerRunsForRealWithItsParametersInTheInstallFolder) {
  drives.System().runPrograms = true;
  Ready("C:\\Apps\\ABC", "/S \"two words\"");
  Install();
  const fs::path ran = drives.Host("C:\\Apps\\ABC\\pelinst.ran");
  for (int i = 0; i < 500 && !fs::exists(ran); ++i) {
    drives.System().os::PosixSystem::Pause(10);  // the installer is a separate process
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
    apptest::Rig rig;
    rig.ServeProduct("C:\\Apps\\ABC\r\n\r\n");
    rig.server.AddFile("/files/ABC.zip", c.package);
    rig.CreateForms();
    rig.Activate();
    const auto& form = *rig.form1;
    rig.form1->Button1.Click();
    EXPECT_FALSE(rig.BoxTexts().empty());
    EXPECT_EQ(rig.BoxTexts().back(), setup::text::kUnzipFailed);
    EXPECT_TRUE(rig.drives.System().started.empty());
    EXPECT_FALSE(rig.app.QuitRequested());
    EXPECT_FALSE(form.Button1.Enabled() || form.Button2.Enabled() || form.SpeedButton1.Enabled());
    EXPECT_EQ(rig.app.ScreenCursor(), gui::Cursor::Default);
    EXPECT_FALSE(fs::exists(rig.drives.Host("C:\\temp$\\z.zip")));
    EXPECT_FALSE(fs::exists(rig.drives.Host("C:\\Apps\\evil.txt")));
  }
}

TEST_F(InstallTest, LibraryTooOldInstallsNothing) {
  ServeProduct("C:\\Apps\\ABC\r\n\r\n");
  std::ifstream old(SETUP_UNZDLL_OLD_PATH, std::ios::binary);
  server.AddFile("/files/UNZDLL.DLL", std::string(std::istreambuf_iterator<char>(old), {}));
  server.AddFile("/files/ABC.zip", zipfixture::ProductPackage().Bytes());
  CreateForms();
  Activate();
  EXPECT_FALSE(form1->ZipMaster1.Loaded());
  Install();
  EXPECT_FALSE(fs::exists(drives.Host("C:\\Apps\\ABC\\pelinst.exe")));
  EXPECT_TRUE(started().empty());
  EXPECT_EQ(BoxTexts().back(), setup::text::kUnzipFailed);
  EXPECT_FALSE(Closed());
}

TEST_F(InstallTest, ButtonsStayDisabledAndTheCursorBusyWhileTheNetworkPhaseRuns) {
  Ready("C:\\Apps\\ABC", "");
  bool checked = false;
  backend.onProcessMessages = [&] {
    if (!form1->Working) return;
    checked = true;
    EXPECT_FALSE(form1->Button1.Enabled() || form1->Button2.Enabled() ||
                 form1->SpeedButton1.Enabled());
    EXPECT_EQ(app.ScreenCursor(), gui::Cursor::HourGlass);
  };
  Install();
  EXPECT_TRUE(checked);
}

}  // namespace

namespace {

// The user's answer in the password prompt: a password, or nullopt for Cancel.
void AnswerPasswordPrompt(apptest::Rig& rig, std::optional<std::string> password) {
  rig.backend.Post([&rig, password] {
    gui::Form* prompt = rig.app.FindForm("PasswordForm");
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(prompt->IsModal());
    if (!password) {
      prompt->HandleKey(gui::Key::Escape);
      return;
    }
    dynamic_cast<gui::Edit&>(*prompt->Find("Edit1")).UserEdited(*password);
    prompt->HandleKey(gui::Key::Enter);
  });
}

TEST(InstallPassword, EncryptedEntryAsksTheUserAndOnlyTheRightAnswerInstalls) {
  const std::optional<std::string> answers[] = {"secret", std::nullopt};
  for (const auto& answer : answers) {
    SCOPED_TRACE(answer.value_or("<cancel>"));
    apptest::Rig rig;
    rig.ServeProduct("C:\\Apps\\ABC\r\n\r\n");
    rig.server.AddFile("/files/ABC.zip", zipfixture::ZipBuilder()
                                             .File("pelinst.exe", "#!/bin/sh\n", 0755)
                                             .Encrypted("data.bin", "licensed", "secret")
                                             .Bytes());
    rig.CreateForms();
    rig.Activate();
    AnswerPasswordPrompt(rig, answer);
    rig.form1->Button1.Click();
    const bool installed = fs::exists(rig.drives.Host("C:\\Apps\\ABC\\data.bin"));
    EXPECT_EQ(installed, answer.has_value());
    EXPECT_EQ(rig.drives.System().started.size(), answer ? 1u : 0u);
    EXPECT_EQ(rig.app.QuitRequested(), answer.has_value());
  }
}

}  // namespace
