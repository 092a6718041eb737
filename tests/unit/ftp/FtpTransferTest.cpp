// Retrieves against the scripted server: file contents, transfer events, the replies that
// end a transfer, and the data connection's address.
#include <gtest/gtest.h>

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
using Strings = std::vector<std::string>;

class TransferTest : public testing::Test {
 protected:
  void Connect() {
    PointAt(client, server.Host(), server.Port());
    client.Connect();
  }
  // The commands after login.
  Strings Commands() {
    client.Quit();
    EXPECT_TRUE(server.WaitUntilIdle());
    Strings all = server.Transcript();
    return Strings(all.begin() + 5, all.end());
  }

  TempFolder temp;
  ScriptedFtpServer server;
  FtpClient client;
  Strings events;
};

struct EventCase {
  const char* name;
  std::size_t size;
  std::size_t pace;  // bytes per piece the server sends, 0: all at once
  Strings events;
};

class EventTest : public TransferTest, public testing::WithParamInterface<EventCase> {};

TEST_P(EventTest, ReportsEachFullBlock) {
  const EventCase& c = GetParam();
  const std::string content = Pattern(c.size);
  server.AddFile("/files/ABC.zip", content);
  if (c.pace > 0) server.SetDataPacing(c.pace, std::chrono::milliseconds(1));
  Connect();
  LogEvents(client, events);

  client.Get("/files/ABC.zip", temp.File("z.zip"));

  EXPECT_EQ(events, c.events);
  EXPECT_EQ(ReadFile(temp.File("z.zip")), content);
  EXPECT_EQ(Commands(), (Strings{"PASV", "RETR /files/ABC.zip", "QUIT"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventTest,
    testing::Values(
        EventCase{"Empty", 0, 0, {"begin 0", "end"}},
        EventCase{"UnderOneBlock", 8191, 0, {"begin 0", "end"}},
        EventCase{"TwoBlocksExactly", 16384, 0, {"begin 0", "work 8192", "work 16384", "end"}},
        EventCase{
            "TwoBlocksAndABit", 16384 + 700, 0, {"begin 0", "work 8192", "work 16384", "end"}},
        // Pieces that straddle the block boundaries report the same blocks.
        EventCase{"TrickledInOddPieces",
                  16384 + 700,
                  3000,
                  {"begin 0", "work 8192", "work 16384", "end"}}),
    CaseName());

TEST_F(TransferTest, LargeFileArrivesWhole) {
  const std::string content = Pattern(3 * 1024 * 1024 + 17);
  server.AddFile("/files/big.zip", content);
  Connect();
  std::int64_t last = 0;
  int works = 0;
  client.OnWork = [&](std::int64_t count) {
    EXPECT_EQ(count, last + 8192);
    last = count;
    ++works;
  };
  client.Get("/files/big.zip", temp.File("big.zip"));
  EXPECT_EQ(ReadFile(temp.File("big.zip")), content);
  EXPECT_EQ(works, static_cast<int>(content.size() / 8192));
}

// A faulty client would go to 127.0.0.2, where nothing listens; a different loopback
// address stands in for a foreign host so that no test traffic can leave the machine.
TEST_F(TransferTest, PasvAddressIsIgnored) {
  server.AddFile("/files/ABC.txt", "descriptor");
  server.SetPasvHost("127,0,0,2");
  Connect();
  client.Get("/files/ABC.txt", temp.File("z.txt"));
  EXPECT_EQ(ReadFile(temp.File("z.txt")), "descriptor");
  EXPECT_EQ(server.DataConnections(), 1);
}

struct EndCase {
  const char* name;
  Strings replies;
  int errorCode;  // 0: the retrieve ends normally
};

class TransferEndTest : public TransferTest, public testing::WithParamInterface<EndCase> {};

TEST_P(TransferEndTest, FinalReply) {
  const EndCase& c = GetParam();
  server.AddFile("/files/ABC.txt", "descriptor");
  server.SetTransferEnd(c.replies);
  Connect();
  LogEvents(client, events);
  if (c.errorCode == 0) {
    client.Get("/files/ABC.txt", temp.File("z.txt"));
    // Every reply of the transfer was read: the next command gets its own answer.
    EXPECT_EQ(client.Size("/files/ABC.txt"), 10);
  } else {
    try {
      client.Get("/files/ABC.txt", temp.File("z.txt"));
      FAIL() << "retrieve succeeded";
    } catch (const FtpError& e) {
      EXPECT_EQ(e.code(), c.errorCode);
    }
  }
  // The data had all arrived in either case.
  EXPECT_EQ(ReadFile(temp.File("z.txt")), "descriptor");
  EXPECT_EQ(events, (Strings{"begin 0", "end"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferEndTest,
    testing::Values(EndCase{"Complete226", {"226 done"}, 0}, EndCase{"Complete225", {"225 ok"}, 0},
                    EndCase{"Complete250", {"250 ok"}, 0},
                    EndCase{"Closed426Then226", {"426 closed", "226 done"}, 0},
                    EndCase{"Busy450Then225", {"450 busy", "225 ok"}, 0},
                    EndCase{"Closed426Then550", {"426 closed", "550 bad"}, 550},
                    EndCase{"Refused451", {"451 local error"}, 451}),
    CaseName());

struct RefusalCase {
  const char* name;
  const char* key;
  const char* reply;
  int code;
  Strings commands;
};

class RefusedRetrieveTest : public TransferTest, public testing::WithParamInterface<RefusalCase> {};

// A retrieve refused before any data: an error with the server's code, an emptied local
// file, no transfer events, and a connection still usable.
TEST_P(RefusedRetrieveTest, LeavesAnEmptyFile) {
  const RefusalCase& c = GetParam();
  server.AddFile("/files/ABC.txt", "descriptor");
  if (c.key != nullptr) server.SetReply(c.key, c.reply);
  WriteFile(temp.File("z.txt"), "from an earlier run");
  Connect();
  LogEvents(client, events);
  try {
    client.Get(c.key == nullptr ? "/files/missing.txt" : "/files/ABC.txt", temp.File("z.txt"));
    FAIL() << "retrieve succeeded";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.code(), c.code);
  }
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(ReadFile(temp.File("z.txt")), "");
  EXPECT_TRUE(client.Connected());
  EXPECT_EQ(client.Size("/files/ABC.txt"), 10);
  EXPECT_EQ(Commands(), c.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedRetrieveTest,
    testing::Values(
        RefusalCase{"MissingFile",
                    nullptr,
                    nullptr,
                    550,
                    {"PASV", "RETR /files/missing.txt", "SIZE /files/ABC.txt", "QUIT"}},
        RefusalCase{
            "PasvRefused", "PASV", "502 no passive", 502, {"PASV", "SIZE /files/ABC.txt", "QUIT"}},
        RefusalCase{"PasvUnreadable",
                    "PASV",
                    "227 somewhere",
                    227,
                    {"PASV", "SIZE /files/ABC.txt", "QUIT"}},
        RefusalCase{"PasvPortZero",
                    "PASV",
                    "227 Entering Passive Mode (127,0,0,1,0,0)",
                    227,
                    {"PASV", "SIZE /files/ABC.txt", "QUIT"}},
        RefusalCase{"PasvNumberOutOfRange",
                    "PASV",
                    "227 Entering Passive Mode (127,0,0,1,256,80)",
                    227,
                    {"PASV", "SIZE /files/ABC.txt", "QUIT"}}),
    CaseName());

struct DataPhaseCase {
  const char* name;
  std::string retrieveReply;
  Kind kind;
  int code;
  const char* message;
  bool connectedAfter;
};

class DataPhaseFailureTest : public TransferTest,
                             public testing::WithParamInterface<DataPhaseCase> {};

// The server offers a data connection but never serves it (it never accepts, never sends,
// never closes it) and says what went wrong on the control connection, or closes that. The
// retrieve must end with the server's words instead of waiting for data for ever.
TEST_P(DataPhaseFailureTest, EndsWithTheServersWords) {
  const DataPhaseCase& c = GetParam();
  server.AddFile("/files/ABC.txt", "descriptor");
  server.SetReply("RETR", c.retrieveReply);
  Connect();
  LogEvents(client, events);
  try {
    client.Get("/files/ABC.txt", temp.File("z.txt"));
    FAIL() << "retrieve succeeded";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.kind(), c.kind);
    EXPECT_EQ(e.code(), c.code);
    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
  }
  EXPECT_EQ(events, (Strings{"begin 0", "end"}));
  EXPECT_EQ(ReadFile(temp.File("z.txt")), "");
  if (c.connectedAfter) {
    // The failure was a reply: the session is still in step.
    EXPECT_EQ(client.Size("/files/ABC.txt"), 10);
  } else {
    server.ResetScript();
    client.Connect();
    EXPECT_EQ(client.Size("/files/ABC.txt"), 10);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataPhaseFailureTest,
    testing::Values(DataPhaseCase{"RefusedAfterOpening",
                                  "150 Opening\r\n425 Cannot open data connection", Kind::Refused,
                                  425, "425 Cannot open data connection", true},
                    DataPhaseCase{"ServiceEndsAfterOpening", "150 Opening\r\n421 Timeout",
                                  Kind::Refused, 421, "421 Timeout", true},
                    DataPhaseCase{"ControlClosedAfterOpening",
                                  std::string("150 Opening\r\n") + ScriptedFtpServer::kHangUp,
                                  Kind::Closed, 0, "", false}),
    CaseName());

TEST_F(TransferTest, LocalFileThatCannotBeCreated) {
  server.AddFile("/files/ABC.txt", "descriptor");
  Connect();
  try {
    client.Get("/files/ABC.txt", temp.File("no-folder/z.txt"));
    FAIL() << "retrieve succeeded";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.kind(), Kind::LocalFile);
  }
  EXPECT_EQ(Commands(), (Strings{"QUIT"}));
}

// A handler that refuses the transfer's start stops it before any data: no end event,
// and the transfer's final reply stays unread, so the next command reads that one.
TEST_F(TransferTest, WorkBeginHandlerThrows) {
  server.AddFile("/files/ABC.zip", Pattern(20000));
  Connect();
  LogEvents(client, events);
  client.OnWorkBegin = [this](std::int64_t) {
    events.push_back("begin");
    throw std::runtime_error("gauge refused");
  };
  EXPECT_THROW(client.Get("/files/ABC.zip", temp.File("z.zip")), std::runtime_error);
  EXPECT_EQ(events, (Strings{"begin"}));
  EXPECT_EQ(ReadFile(temp.File("z.zip")), "");
  EXPECT_EQ(client.Size("/files/ABC.zip"), -1);
}

}  // namespace
}  // namespace ftptest
