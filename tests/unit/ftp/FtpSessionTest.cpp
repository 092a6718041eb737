// Login, SIZE, ABOR and QUIT against the scripted server; each case asserts the exact
// command transcript the server saw.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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
using Kind = FtpError::Kind;
using Transcript = std::vector<std::string>;

const std::string kConnect = ScriptedFtpServer::kConnect;
const std::string kUserLine = std::string("USER ") + kUser;
const std::string kPassLine = std::string("PASS ") + kPassword;

const Transcript kFullLogin = {kConnect, kUserLine, kPassLine, "TYPE I", "SYST"};

struct ConnectCase {
  const char* name;
  std::function<void(ScriptedFtpServer&)> script;
  Transcript transcript;
  // Expected failure; Kind is ignored when code is -1 (the attempt succeeds).
  int code = -1;
  Kind kind = Kind::Refused;
  const char* message = "";
};

std::vector<ConnectCase> ConnectCases() {
  const std::string longLine = "215 " + std::string(ftp::kMaxReplyLine, 'x');
  return {
      {"PlainLogin", [](auto&) {}, kFullLogin},
      {"UserAnswered230SendsNoPass",
       [](auto& s) { s.SetReply("USER", "230 ok"); },
       {kConnect, kUserLine, "TYPE I", "SYST"}},
      {"Syst500IsAccepted", [](auto& s) { s.SetReply("SYST", "500 unknown command"); }, kFullLogin},
      {"Syst200IsAccepted", [](auto& s) { s.SetReply("SYST", "200 fine"); }, kFullLogin},
      {"MultiLineReplies",
       [](auto& s) {
         s.SetGreeting("220-Welcome\r\n220-to the server\r\n220 ready");
         s.SetReply("SYST", "215-UNIX\r\n215 Type: L8");
       },
       kFullLogin},
      {"GreetingNot220",
       [](auto& s) { s.SetGreeting("120 come back later"); },
       {kConnect},
       120,
       Kind::Refused,
       "come back later"},
      {"UserRefused",
       [](auto& s) { s.SetReply("USER", "530 no such user"); },
       {kConnect, kUserLine},
       530,
       Kind::Refused,
       "no such user"},
      {"PassRefused",
       [](auto& s) { s.SetReply("PASS", "530 Login incorrect"); },
       {kConnect, kUserLine, kPassLine},
       530,
       Kind::Refused,
       "Login incorrect"},
      {"TypeRefused",
       [](auto& s) { s.SetReply("TYPE", "504 x"); },
       {kConnect, kUserLine, kPassLine, "TYPE I"},
       504,
       Kind::Refused,
       "x"},
      {"SystRefused", [](auto& s) { s.SetReply("SYST", "502 no"); }, kFullLogin, 502, Kind::Refused,
       "no"},
      {"ReplyLineTooLong", [=](auto& s) { s.SetReply("SYST", longLine); }, kFullLogin, 0,
       Kind::Protocol, "longer than 16384"},
      {"Busy421",
       [](auto& s) { s.RefuseConnections(1, ScriptedFtpServer::Refusal::Busy); },
       {kConnect},
       421,
       Kind::Refused,
       "Too many connections"},
      {"ClosedAtOnce",
       [](auto& s) { s.RefuseConnections(1); },
       {kConnect},
       0,
       Kind::Closed,
       "closed"},
      {"HangUpAfterUser",
       [](auto& s) { s.SetReply("USER", ScriptedFtpServer::kHangUp); },
       {kConnect, kUserLine},
       0,
       Kind::Closed,
       "closed"},
      // Servers that do not speak FTP, or speak it badly. Every failure carries the server's
      // words, made readable: the code of a reply without text, control bytes and bytes
      // that are not UTF-8 as "\xNN", UTF-8 as it came.
      {"GarbageGreeting",
       [](auto& s) { s.SetGreeting("SSH-2.0-OpenSSH_9.2"); },
       {kConnect},
       0,
       Kind::Protocol,
       "not an FTP reply: SSH-2.0-OpenSSH_9.2"},
      {"CodeBelow100",
       [](auto& s) { s.SetGreeting("099 hello"); },
       {kConnect},
       0,
       Kind::Protocol,
       "099 hello"},
      {"CodeAbove599",
       [](auto& s) { s.SetReply("USER", "600 odd"); },
       {kConnect, kUserLine},
       0,
       Kind::Protocol,
       "600 odd"},
      {"CodeWithoutText",
       [](auto& s) { s.SetReply("USER", "530"); },
       {kConnect, kUserLine},
       530,
       Kind::Refused,
       "530"},
      {"NulByte",
       [](auto& s) { s.SetReply("USER", std::string("530 bad\0user", 12)); },
       {kConnect, kUserLine},
       530,
       Kind::Refused,
       "530 bad\\x00user"},
      {"NotUtf8",
       [](auto& s) { s.SetReply("USER", "530 caf\xE9 \xFF\x01"); },
       {kConnect, kUserLine},
       530,
       Kind::Refused,
       "530 caf\\xE9 \\xFF\\x01"},
      {"Utf8KeptAsItCame",
       [](auto& s) { s.SetReply("USER", "530 \xEC\xA0\x91\xEC\x86\x8D"); },
       {kConnect, kUserLine},
       530,
       Kind::Refused,
       "530 \xEC\xA0\x91\xEC\x86\x8D"},
      {"LfWithoutCr",
       [](auto& s) {
         s.SetGreeting("220-hello\n220 ready");
         s.SetReply("PASS", "530-no\n530 way");
       },
       {kConnect, kUserLine, kPassLine},
       530,
       Kind::Refused,
       "530 no\nway"},
      {"ClosedInsideTheGreeting",
       [](auto& s) { s.SetGreeting(std::string("220-Welcome\r\n") + ScriptedFtpServer::kHangUp); },
       {kConnect},
       0,
       Kind::Closed,
       "closed the connection: 220-Welcome"},
      {"LastLineWithoutLineEnd",
       [](auto& s) {
         s.SetReply("USER", std::string("421 Going down") + ScriptedFtpServer::kHangUp);
       },
       {kConnect, kUserLine},
       0,
       Kind::Closed,
       "closed the connection: 421 Going down"},
      {"ClosedInsideAMultiLineReply",
       [](auto& s) {
         s.SetReply("PASS",
                    std::string("530-first\r\n530-second\r\n") + ScriptedFtpServer::kHangUp);
       },
       {kConnect, kUserLine, kPassLine},
       0,
       Kind::Closed,
       "closed the connection: 530-first\nsecond"},
      {"ClosedBeforeTheTypeReply",
       [](auto& s) { s.SetReply("TYPE", ScriptedFtpServer::kHangUp); },
       {kConnect, kUserLine, kPassLine, "TYPE I"},
       0,
       Kind::Closed,
       "closed"},
  };
}

class ConnectTest : public testing::TestWithParam<ConnectCase> {};

TEST_P(ConnectTest, LogsInOrFailsUnconnected) {
  const ConnectCase& c = GetParam();
  ScriptedFtpServer server;
  c.script(server);
  FtpClient client;
  PointAt(client, server.Host(), server.Port());

  if (c.code < 0) {
    client.Connect();
    EXPECT_TRUE(client.Connected());
    client.Quit();
    ASSERT_TRUE(server.WaitUntilIdle());
    Transcript expected = c.transcript;
    expected.push_back("QUIT");
    EXPECT_EQ(server.Transcript(), expected);
    return;
  }

  try {
    client.Connect();
    FAIL() << "connect succeeded";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.kind(), c.kind);
    EXPECT_EQ(e.code(), c.code);
    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
  }
  EXPECT_FALSE(client.Connected());
  ASSERT_TRUE(server.WaitUntilIdle()) << "the failed connection was left open";
  EXPECT_EQ(server.Transcript(), c.transcript);

  // The same client connects again at once once the server behaves.
  server.ResetScript();
  client.Connect();
  EXPECT_TRUE(client.Connected());
}

INSTANTIATE_TEST_SUITE_P(Cases, ConnectTest, testing::ValuesIn(ConnectCases()), CaseName());

TEST(ConnectFailureTest, NoServerListening) {
  int port = 0;
  {
    ScriptedFtpServer gone;
    port = gone.Port();
  }
  FtpClient client;
  PointAt(client, "127.0.0.1", port);
  try {
    client.Connect();
    FAIL() << "connect succeeded";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.kind(), Kind::Connect);
  }
  EXPECT_FALSE(client.Connected());
}

TEST(ConnectFailureTest, ConnectedClientStartsOver) {
  ScriptedFtpServer server;
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();
  client.Connect();
  EXPECT_TRUE(client.Connected());
  client.Quit();
  ASSERT_TRUE(server.WaitUntilIdle());
  Transcript expected = kFullLogin;
  expected.insert(expected.end(), kFullLogin.begin(), kFullLogin.end());
  expected.push_back("QUIT");
  EXPECT_EQ(server.Transcript(), expected);
}

struct SizeCase {
  const char* name;
  const char* reply;  // nullptr: the server's own answer
  std::int64_t size;
};

class SizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeTest, TakesAnyReply) {
  const SizeCase& c = GetParam();
  ScriptedFtpServer server;
  server.AddFile("/files/ABC.txt", Pattern(1234));
  if (c.reply != nullptr) server.SetReply("SIZE /files/ABC.txt", c.reply);
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();

  EXPECT_EQ(client.Size("/files/ABC.txt"), c.size);
  // The connection stays usable whatever the answer was.
  EXPECT_EQ(client.Size("/files/none"), -1);
  EXPECT_TRUE(client.Connected());
  client.Quit();
  ASSERT_TRUE(server.WaitUntilIdle());
  Transcript expected = kFullLogin;
  expected.insert(expected.end(), {"SIZE /files/ABC.txt", "SIZE /files/none", "QUIT"});
  EXPECT_EQ(server.Transcript(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SizeTest,
                         testing::Values(SizeCase{"ServerSize", nullptr, 1234},
                                         SizeCase{"Above2GiB", "213 4294967296", 4294967296},
                                         SizeCase{"NumberAfterWord", "213 size 99", 99},
                                         SizeCase{"NumberThenWord", "213 99 bytes", -1},
                                         SizeCase{"NotANumber", "213 big", -1},
                                         SizeCase{"NoSize", "550 not here", -1},
                                         SizeCase{"OtherCode", "212 99", -1}),
                         CaseName());

TEST(SizeFailureTest, ThrowsOnlyWithoutAUsableConnection) {
  FtpClient unconnected;
  EXPECT_THROW(unconnected.Size("/files/ABC.txt"), FtpError);

  ScriptedFtpServer server;
  server.SetReply("SIZE", ScriptedFtpServer::kHangUp);
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();
  try {
    client.Size("/files/ABC.txt");
    FAIL() << "size of a closed connection";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.kind(), Kind::Closed);
  }
  EXPECT_FALSE(client.Connected());
}

TEST(AbortQuitTest, SendWithoutWaitingForReplies) {
  ScriptedFtpServer server;
  FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();
  client.Abort();
  EXPECT_TRUE(client.Connected());
  client.Quit();
  EXPECT_FALSE(client.Connected());
  client.Quit();  // a second quit has nothing to do
  ASSERT_TRUE(server.WaitUntilIdle());
  Transcript expected = kFullLogin;
  expected.insert(expected.end(), {"ABOR", "QUIT"});
  EXPECT_EQ(server.Transcript(), expected);
}

TEST(AbortQuitTest, QuitAfterTheServerHasGone) {
  auto server = std::make_unique<ScriptedFtpServer>();
  FtpClient client;
  PointAt(client, server->Host(), server->Port());
  client.Connect();
  server.reset();
  EXPECT_NO_THROW(client.Quit());
  EXPECT_FALSE(client.Connected());
}

TEST(AbortQuitTest, AbortNeedsAConnection) {
  FtpClient client;
  EXPECT_THROW(client.Abort(), FtpError);
}

}  // namespace
}  // namespace ftptest
