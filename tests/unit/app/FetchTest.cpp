// The main window's FTP session, retry pauses, size-verified downloads and gauge.
#include <gtest/gtest.h>

#include "Texts.h"
#include "WindowFixture.h"

namespace {

using apptest::WindowTest;
using Lines = std::vector<std::string>;

const Lines kLogin = {ftptest::ScriptedFtpServer::kConnect, "USER quandel", "PASS KaqWrBe%%7391%%",
                      "TYPE I", "SYST"};

Lines Join(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class FetchTest : public WindowTest {
 protected:
  Lines Transcript() {
    EXPECT_TRUE(server.WaitUntilIdle());
    return server.Transcript();
  }
  // How many one-second pauses the window made.
  long long Pauses() { return (drives.Clock().paused + 500) / 1000; }
};

TEST_F(FetchTest, WaitSecEndsAtTheFirstReadingPastTheSecondEvenOverAMinute) {
  CreateForms();
  drives.Clock().nowMs = 59700;
  form1->WaitSec(1);
  EXPECT_GT(drives.Clock().nowMs, 60700);
  EXPECT_LE(drives.Clock().nowMs, 60710);
  EXPECT_EQ(backend.processMessagesCalls, 0) << "the pause handles no window messages";
  EXPECT_TRUE(backend.boxes.empty());

  form1->WaitSec(51);
  EXPECT_EQ(BoxTexts(), (Lines{setup::text::kWaitError}));

  // A request the minute-wrapping clock cannot measure still ends.
  const long long before = drives.Clock().nowMs;
  form1->WaitSec(120);
  EXPECT_GT(drives.Clock().nowMs - before, 59000);
  EXPECT_LT(drives.Clock().nowMs - before, 60000);
}

TEST_F(FetchTest, LoginSendsTheAccountVerbatimAndDisconnectQuits) {
  CreateForms();
  form1->FtpConn();
  ASSERT_TRUE(form1->IdFTP1.Connected());
  form1->FtpDisconn();
  EXPECT_FALSE(form1->IdFTP1.Connected());
  EXPECT_EQ(Transcript(), Join(kLogin, {"QUIT"}));
  EXPECT_EQ(Pauses(), 0);
}

TEST_F(FetchTest, UserAnswered230GetsNoPassword) {
  server.SetReply("USER", "230 Welcome");
  CreateForms();
  form1->FtpConn();
  form1->FtpDisconn();
  EXPECT_EQ(Transcript(), (Lines{ftptest::ScriptedFtpServer::kConnect, "USER quandel", "TYPE I",
                                 "SYST", "QUIT"}));
}

TEST_F(FetchTest, TwoRefusedConnectionsThenSuccessCostTwoPausesAndNoMessage) {
  server.RefuseConnections(2);
  CreateForms();
  form1->FtpConn();
  EXPECT_TRUE(form1->IdFTP1.Connected());
  EXPECT_EQ(Pauses(), 2);
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_FALSE(app.QuitRequested());
}

TEST_F(FetchTest, RefusedLoginStepsFailTheAttempt) {
  for (auto [verb, reply] :
       {std::pair{"SYST", "502 Not implemented"}, std::pair{"TYPE", "504 Not for this type"}}) {
    SCOPED_TRACE(verb);
    apptest::Rig rig;
    rig.server.SetReply(verb, reply);
    rig.CreateForms();
    rig.form1->FtpConn();
    EXPECT_FALSE(rig.form1->IdFTP1.Connected());
    ASSERT_TRUE(rig.server.WaitUntilIdle());
    const auto transcript = rig.server.Transcript();
    EXPECT_EQ(std::count(transcript.begin(), transcript.end(),
                         std::string(ftptest::ScriptedFtpServer::kConnect)),
              3);
    EXPECT_EQ(rig.BoxTexts(), (Lines{setup::text::kNoServer}));
  }
}

TEST_F(FetchTest, ServerDownCostsThreeAttemptsOneMessageAndEndsTheProgram) {
  CreateForms("C:\\Down\\ABC_setup.exe", apptest::ClosedPort());
  form1->FtpConn();
  EXPECT_EQ(BoxTexts(), (Lines{setup::text::kNoServer}));
  EXPECT_EQ(backend.boxes[0].caption, "설치도우미");
  EXPECT_EQ(Pauses(), 3);
  EXPECT_TRUE(app.QuitRequested());
  EXPECT_FALSE(app.Terminated()) << "the request waits for message processing";

  // The downloads that follow fail at once and leave the work folder alone.
  drives.WriteFile("C:\\temp$\\z.txt", "old");
  form1->FtpDown("txt");
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.txt"), "old");
  EXPECT_EQ(Pauses(), 6);
}

TEST_F(FetchTest, ConnectingAgainQuitsTheOpenSessionFirst) {
  CreateForms();
  form1->FtpConn();
  form1->FtpConn();
  form1->FtpDisconn();
  ASSERT_TRUE(server.WaitUntilIdle());
  // Per connection: the server records two connections' lines on two threads.
  const Lines session = {"USER quandel", "PASS KaqWrBe%%7391%%", "TYPE I", "SYST", "QUIT"};
  EXPECT_EQ(server.TranscriptByConnection(), (std::vector<Lines>{session, session}));
}

TEST_F(FetchTest, DescriptorAndLibraryWhoseSizesMatchAreFetchedOnceEach) {
  ServeProduct("C:\\Apps\\ABC\n/S\n");
  server.AddFile("/files/UNZDLL.DLL", "library");
  CreateForms();
  form1->FtpConn();
  form1->FtpDown("txt");
  form1->FtpDisconn();
  EXPECT_EQ(Transcript(),
            Join(kLogin, {"SIZE /files/ABC.txt", "PASV", "RETR /files/ABC.txt",
                          "SIZE /files/UNZDLL.DLL", "PASV", "RETR /files/UNZDLL.DLL", "QUIT"}));
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.txt"), "C:\\Apps\\ABC\n/S\n");
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\UNZDLL.DLL"), "library");
  EXPECT_FALSE(form1->Gauge1.Visible());
}

TEST_F(FetchTest, SizeMismatchRetrievesFourTimesThenAcceptsTheFile) {
  server.AddFile("/files/ABC.txt", "descriptor");
  server.AddFile("/files/UNZDLL.DLL", "library");
  server.SetReply("SIZE /files/ABC.txt", "213 999");
  CreateForms();
  form1->FtpConn();
  form1->FtpDown("txt");
  form1->FtpDisconn();
  const auto transcript = Transcript();
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), "RETR /files/ABC.txt"), 4);
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), "RETR /files/UNZDLL.DLL"), 1);
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.txt"), "descriptor");
  EXPECT_EQ(Pauses(), 0);
}

TEST_F(FetchTest, MissingLibraryCostsThreeTriesEachFetchingTheDescriptorAgain) {
  server.AddFile("/files/ABC.txt", "descriptor");
  CreateForms();
  form1->FtpConn();
  form1->FtpDown("txt");
  form1->FtpDisconn();
  const auto transcript = Transcript();
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), "RETR /files/ABC.txt"), 3);
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), "RETR /files/UNZDLL.DLL"), 3);
  EXPECT_EQ(Pauses(), 3);
  EXPECT_TRUE(backend.boxes.empty());
  EXPECT_EQ(drives.System().FileSize("C:\\temp$\\UNZDLL.DLL"), 0);
}

TEST_F(FetchTest, PackageProgressMovesTheGaugeInWholeBlocks) {
  const std::string package(2 * 8192 + 100, 'p');
  server.AddFile("/files/ABC.zip", package);
  CreateForms();
  std::vector<std::pair<std::int64_t, std::int64_t>> seen;  // (maximum, progress)
  bool visibleDuring = false;
  form1->IdFTP1.OnWork = [&](std::int64_t count) {
    form1->IdFTP1Work(count);
    seen.emplace_back(form1->Gauge1.MaxValue(), form1->Gauge1.Progress());
    visibleDuring = form1->Gauge1.Visible();
  };
  form1->FtpConn();
  form1->FtpDown("ABC.zip");
  EXPECT_EQ(seen, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                      {static_cast<std::int64_t>(package.size()), 8192},
                      {static_cast<std::int64_t>(package.size()), 16384}}));
  EXPECT_TRUE(visibleDuring);
  EXPECT_FALSE(form1->Gauge1.Visible());
  EXPECT_FALSE(form1->Working);
  EXPECT_EQ(form1->ExpectSize, 0);
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), package);
  EXPECT_GT(backend.processMessagesCalls, 0) << "the window kept handling its messages";
}

TEST_F(FetchTest, ShortFirstDownloadIsRetrievedAgainWithAnEmptyGauge) {
  const std::string package(3 * 8192, 'p');
  server.AddFile("/files/ABC.zip", package);
  server.ShortenRetrieves("/files/ABC.zip", 10);
  CreateForms();
  std::vector<std::int64_t> maxima;
  form1->IdFTP1.OnWorkBegin = [&](std::int64_t max) {
    form1->IdFTP1WorkBegin(max);
    maxima.push_back(form1->Gauge1.MaxValue());
  };
  form1->FtpConn();
  form1->FtpDown("ABC.zip");
  EXPECT_EQ(maxima, (std::vector<std::int64_t>{3 * 8192, 0}));
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), package);
}

TEST_F(FetchTest, PackageWhoseSizeIsUnknownStillDownloads) {
  const std::string package(10000, 'p');
  server.AddFile("/files/ABC.zip", package);
  server.SetReply("SIZE", "550 SIZE not allowed");
  CreateForms();
  form1->FtpConn();
  form1->FtpDown("ABC.zip");
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), package);
  EXPECT_EQ(form1->Gauge1.MaxValue(), 0);
  EXPECT_FALSE(form1->Working);
  EXPECT_EQ(Pauses(), 0) << "no try failed";
}

TEST_F(FetchTest, CapitalTxtIsAPackageName) {
  server.AddFile("/files/TXT", "package");
  CreateForms();
  form1->FtpConn();
  form1->FtpDown("TXT");
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), "package");
}

TEST_F(FetchTest, CloseBoxDuringADownloadEndsTheProgramOnlyAfterIt) {
  const std::string package(64 * 1024, 'p');
  server.AddFile("/files/ABC.zip", package);
  server.SetDataPacing(8192, std::chrono::milliseconds(20));
  CreateForms();
  backend.onProcessMessages = [&] {
    if (form1->Working) form1->Close();
  };
  form1->FtpConn();
  form1->FtpDown("ABC.zip");
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), package) << "the download was not stopped";
  EXPECT_TRUE(app.QuitRequested());
  EXPECT_TRUE(app.Terminated());
}

}  // namespace

namespace {

// A second network phase started from a handler nested in a running download (the buttons
// are disabled for exactly this reason, but nothing else prevents it) leaves the old session
// with ABOR and QUIT, and the interrupted download is tried again on the new session.
TEST_F(FetchTest, ConnectingDuringATransferAbortsItAndTheDownloadIsTriedAgain) {
  const std::string package(64 * 1024, 'p');
  server.AddFile("/files/ABC.zip", package);
  server.SetDataPacing(8192, std::chrono::milliseconds(10));
  CreateForms();
  bool nested = false;
  backend.onProcessMessages = [&] {
    if (form1->Working && !nested) {
      nested = true;
      form1->FtpConn();
    }
  };
  form1->FtpConn();
  form1->FtpDown("ABC.zip");
  form1->FtpDisconn();
  ASSERT_TRUE(server.WaitUntilIdle());
  const auto first = server.TranscriptByConnection().at(0);
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ((Lines{first[first.size() - 2], first.back()}), (Lines{"ABOR", "QUIT"}));
  EXPECT_EQ(drives.ReadFile("C:\\temp$\\z.zip"), package);
  EXPECT_EQ(Pauses(), 1) << "one failed try";
  EXPECT_FALSE(form1->Working);
}

}  // namespace
