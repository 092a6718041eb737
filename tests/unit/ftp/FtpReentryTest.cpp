// Handlers run from OnIdle may call back into the client while a call is blocked inside it,
// as a nested window handler would. The blocked call must end cleanly, never crash.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "FtpTestSupport.h"
#include "ftp/FtpClient.h"
#include "ftp/ScriptedFtpServer.h"

namespace ftptest {
namespace {

using ftptest::PrintTo;

using ftp::FtpClient;
using ftp::FtpError;
using Strings = std::vector<std::string>;

const Strings kLogin = {std::string("USER ") + kUser, std::string("PASS ") + kPassword, "TYPE I",
                        "SYST"};

Strings Join(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct NestedCase {
  const char* name;
  std::function<void(FtpClient&)> nested;
  bool outerFails;
  bool connectedAfter;
  std::vector<Strings> connections;  // commands per control connection
};

class NestedCallTest : public testing::TestWithParam<NestedCase> {};

TEST_P(NestedCallTest, DuringRetrieve) {
  const NestedCase& c = GetParam();
  TempFolder temp;
  ScriptedFtpServer server;
  server.AddFile("/files/ABC.zip", Pattern(40000));
  server.SetDataPacing(10000, std::chrono::milliseconds(60));
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();

  Strings events;
  LogEvents(client, events);
  bool armed = false;
  bool fired = false;
  client.OnWorkBegin = [&](std::int64_t) {
    events.push_back("begin");
    armed = true;
  };
  client.OnIdle = [&] {
    if (!armed || fired) return;
    fired = true;
    c.nested(client);
  };

  bool failed = false;
  try {
    client.Get("/files/ABC.zip", temp.File("z.zip"));
  } catch (const FtpError& e) {
    failed = true;
    EXPECT_EQ(e.kind(), FtpError::Kind::Closed) << e.what();
  }
  EXPECT_TRUE(fired);
  EXPECT_EQ(failed, c.outerFails);
  // The end event follows the data phase, whether it completed or was cut short.
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "begin");
  EXPECT_EQ(events.back(), "end");
  EXPECT_EQ(client.Connected(), c.connectedAfter);

  client.OnIdle = nullptr;
  if (client.Connected()) {
    client.Size("/files/ABC.zip");
    client.Quit();
  }
  ASSERT_TRUE(server.WaitUntilIdle());
  EXPECT_EQ(server.TranscriptByConnection(), c.connections);
}

const Strings kRetrieve = {"PASV", "RETR /files/ABC.zip"};
const Strings kSizeQuit = {"SIZE /files/ABC.zip", "QUIT"};

INSTANTIATE_TEST_SUITE_P(
    Cases, NestedCallTest,
    testing::Values(
        NestedCase{"Abort",
                   [](FtpClient& c) { c.Abort(); },
                   true,
                   true,
                   {Join(Join(kLogin, kRetrieve), Join({"ABOR"}, kSizeQuit))}},
        NestedCase{"Quit",
                   [](FtpClient& c) { c.Quit(); },
                   true,
                   false,
                   {Join(Join(kLogin, kRetrieve), {"QUIT"})}},
        // What the window does when it opens a new session: abort, quit, connect.
        NestedCase{"AbortQuitConnect",
                   [](FtpClient& c) {
                     c.Abort();
                     c.Quit();
                     c.Connect();
                   },
                   true,
                   true,
                   {Join(Join(kLogin, kRetrieve), {"ABOR", "QUIT"}), Join(kLogin, kSizeQuit)}},
        // A second command on the busy connection is refused; the retrieve goes on.
        NestedCase{"SizeIsRefused",
                   [](FtpClient& c) { EXPECT_THROW(c.Size("/files/ABC.zip"), FtpError); },
                   false,
                   true,
                   {Join(Join(kLogin, kRetrieve), kSizeQuit)}}),
    CaseName());

// A handler of a progress event may abort too; the partial file stays.
TEST(NestedCallTest, AbortFromWorkEvent) {
  TempFolder temp;
  ScriptedFtpServer server;
  const std::string content = Pattern(200000);
  server.AddFile("/files/ABC.zip", content);
  server.SetDataPacing(8192, std::chrono::milliseconds(20));
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();
  Strings events;
  LogEvents(client, events);
  client.OnWork = [&](std::int64_t count) {
    events.push_back("work " + std::to_string(count));
    client.Abort();
  };
  EXPECT_THROW(client.Get("/files/ABC.zip", temp.File("z.zip")), FtpError);
  EXPECT_EQ(events, (Strings{"begin 0", "work 8192", "end"}));
  const std::string partial = ReadFile(temp.File("z.zip"));
  EXPECT_GE(partial.size(), 8192u);
  EXPECT_LT(partial.size(), content.size());
  EXPECT_EQ(partial, content.substr(0, partial.size()));
}

}  // namespace
}  // namespace ftptest
