#include "ftp/LoopbackSockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace ftptest::loopback {
namespace {

constexpr int kSliceMs = 10;

// Waits for events on fd in short slices; false on stop or when limit has passed.
bool WaitFor(int fd, short events, std::chrono::milliseconds limit, const StopFn& stop) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!stop()) {
    pollfd p{fd, events, 0};
    if (::poll(&p, 1, kSliceMs) > 0) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
  return false;
}

constexpr std::chrono::hours kForever{24};

}  // namespace

int Listen(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

int Accept(int listener, std::chrono::milliseconds limit, const StopFn& stop) {
  if (!WaitFor(listener, POLLIN, limit, stop)) return -1;
  const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
  // Replies go out as soon as they are written, as a test expects them to.
  const int on = 1;
  if (fd >= 0) ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

bool SendAll(int fd, std::string_view data, const StopFn& stop) {
  while (!data.empty()) {
    if (!WaitFor(fd, POLLOUT, kForever, stop)) return false;
    const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void Close(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

std::optional<std::string> LineReader::Next(const StopFn& stop) {
  for (;;) {
    if (const auto lf = pending_.find('\n'); lf != std::string::npos) {
      std::string line = pending_.substr(0, lf);
      pending_.erase(0, lf + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (!WaitFor(fd_, POLLIN, kForever, stop)) return std::nullopt;
    char buffer[4096];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n == 0) return std::nullopt;
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
      return std::nullopt;
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace ftptest::loopback
