// The window stays alive only if OnIdle runs at least every 50 ms while the client waits.
// A slow server makes the client wait for a reply and for trickling data.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "FtpTestSupport.h"
#include "ftp/FtpClient.h"
#include "ftp/ScriptedFtpServer.h"

namespace ftptest {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Scheduling on a busy machine may delay a poll a little.
constexpr auto kTolerance = milliseconds(30);

// Runs step with OnIdle timed; returns the longest stretch without an OnIdle call,
// counting from the start of the step to its end.
template <typename Step>
milliseconds LongestGap(ftp::FtpClient& client, Step step, int& calls) {
  std::vector<Clock::time_point> times{Clock::now()};
  client.OnIdle = [&] { times.push_back(Clock::now()); };
  step();
  times.push_back(Clock::now());
  client.OnIdle = nullptr;
  calls = static_cast<int>(times.size()) - 2;
  Clock::duration longest{};
  for (std::size_t i = 1; i < times.size(); ++i)
    longest = std::max(longest, times[i] - times[i - 1]);
  return std::chrono::duration_cast<milliseconds>(longest);
}

TEST(IdleTest, CalledEvery50MsWhileWaiting) {
  TempFolder temp;
  ScriptedFtpServer server;
  server.AddFile("/files/ABC.zip", Pattern(5000));
  server.SetReplyDelay("SIZE", milliseconds(400));
  server.SetDataPacing(1000, milliseconds(120));
  ftp::FtpClient client;
  PointAt(client, server.Host(), server.Port());
  client.Connect();

  int calls = 0;
  const auto sizeGap = LongestGap(
      client, [&] { EXPECT_EQ(client.Size("/files/ABC.zip"), 5000); }, calls);
  EXPECT_LE(sizeGap, milliseconds(ftp::kIdlePollMs) + kTolerance);
  EXPECT_GE(calls, 400 / ftp::kIdlePollMs - 1);

  const auto getGap = LongestGap(
      client, [&] { client.Get("/files/ABC.zip", temp.File("z.zip")); }, calls);
  EXPECT_LE(getGap, milliseconds(ftp::kIdlePollMs) + kTolerance);
  EXPECT_GE(calls, 5 * 120 / ftp::kIdlePollMs - 1);
  EXPECT_EQ(ReadFile(temp.File("z.zip")), Pattern(5000));
}

}  // namespace
}  // namespace ftptest
