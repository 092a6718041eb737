#include "ftp/RealFtpServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace ftptest {
namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kStartLimitMs = 10000;

pid_t Spawn(const std::vector<std::string>& args, int stdinFd, int stdoutFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdinFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdinFd, STDIN_FILENO);
  if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, kPython, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

}  // namespace

bool RealFtpServer::Available() {
  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const pid_t pid = Spawn({kPython, "-c", "import pyftpdlib"}, -1, devNull);
  if (devNull >= 0) ::close(devNull);
  if (pid < 0) return false;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

RealFtpServer::RealFtpServer(const std::string& rootFolder, const std::string& user,
                             const std::string& password, int port) {
  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return;
  }
  pid_ = Spawn({kPython, SETUP_REAL_FTP_SERVER_SCRIPT, "--root", rootFolder, "--user", user,
                "--password", password, "--port", std::to_string(port)},
               in[0], out[1]);
  ::close(in[0]);
  ::close(out[1]);
  stdinFd_ = in[1];

  // The first line of the server's output is its port.
  std::string line;
  pollfd p{out[0], POLLIN, 0};
  while (pid_ > 0 && line.find('\n') == std::string::npos && ::poll(&p, 1, kStartLimitMs) > 0) {
    char buffer[64];
    const ssize_t n = ::read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    line.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  if (line.find('\n') != std::string::npos) port_ = std::stoi(line);
}

RealFtpServer::~RealFtpServer() {
  if (stdinFd_ >= 0) ::close(stdinFd_);
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
}

}  // namespace ftptest
