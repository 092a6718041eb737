#include "XvfbDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace testing_support {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

}  // namespace

XvfbDisplay::XvfbDisplay(const std::string& screen) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::close(fds[0]);
    // Quiet: the server's start-up chatter is not the test's output.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
    }
    const std::string fd = std::to_string(fds[1]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
             "tcp", "-noreset", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  // Xvfb writes its display number, then a newline, once it accepts connections.
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (number.empty() || number.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fds[0], POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char c = 0;
    if (::read(fds[0], &c, 1) != 1) break;
    number += c;
  }
  ::close(fds[0]);
  if (number.empty() || number.back() != '\n') {
    Stop(pid_);
    throw std::runtime_error("Xvfb did not start");
  }
  number.pop_back();
  name_ = ":" + number;
}

XvfbDisplay::~XvfbDisplay() {
  Stop(pid_);
}

}  // namespace testing_support
