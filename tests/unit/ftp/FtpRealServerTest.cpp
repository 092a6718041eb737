// The client against a real FTP server (pyftpdlib), with the distribution server's account.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FtpTestSupport.h"
#include "ftp/FtpClient.h"
#include "ftp/RealFtpServer.h"

namespace ftptest {
namespace {

class RealServerTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!RealFtpServer::Available()) GTEST_SKIP() << "/usr/bin/python3 has no pyftpdlib";
    std::filesystem::create_directories(root.Path() / "files");
    server = std::make_unique<RealFtpServer>(root.Path().string(), kUser, kPassword);
    ASSERT_NE(server->Port(), 0) << "the FTP server did not start";
  }
  void TearDown() override { server.reset(); }

  TempFolder root;
  TempFolder local;
  std::unique_ptr<RealFtpServer> server;
};

TEST_F(RealServerTest, LogsInSizesAndRetrieves) {
  const std::string content = Pattern(2 * 8192 + 1000);
  WriteFile((root.Path() / "files" / "ABC.zip").string(), content);

  ftp::FtpClient client;
  PointAt(client, server->Host(), server->Port());
  client.Connect();  // the password's percent signs are sent as they are
  EXPECT_EQ(client.Size("/files/ABC.zip"), static_cast<std::int64_t>(content.size()));
  EXPECT_EQ(client.Size("/files/missing.zip"), -1);

  std::vector<std::string> events;
  LogEvents(client, events);
  client.Get("/files/ABC.zip", local.File("z.zip"));
  EXPECT_EQ(ReadFile(local.File("z.zip")), content);
  EXPECT_EQ(events, (std::vector<std::string>{"begin 0", "work 8192", "work 16384", "end"}));

  EXPECT_THROW(client.Get("/files/missing.zip", local.File("none")), ftp::FtpError);
  EXPECT_TRUE(client.Connected());
  client.Quit();
  EXPECT_FALSE(client.Connected());
}

}  // namespace
}  // namespace ftptest
