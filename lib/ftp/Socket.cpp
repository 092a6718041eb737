#include "ftp/Socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>

#include "ftp/FtpClient.h"

namespace ftp::net {
namespace {

const sockaddr* AsSockaddr(const Address& a) {
  return reinterpret_cast<const sockaddr*>(a.storage);
}

}  // namespace

std::vector<Address> Resolve(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (rc != 0) {
    throw FtpError(FtpError::Kind::Lookup, 0,
                   "cannot find host " + host + ": " + ::gai_strerror(rc));
  }
  std::vector<Address> out;
  for (const addrinfo* ai = found; ai != nullptr; ai = ai->ai_next) {
    if (ai->ai_addrlen > sizeof(Address::storage)) continue;
    Address a;
    std::memcpy(a.storage, ai->ai_addr, ai->ai_addrlen);
    a.length = static_cast<unsigned>(ai->ai_addrlen);
    out.push_back(a);
  }
  ::freeaddrinfo(found);
  return out;
}

Address WithPort(const Address& address, std::uint16_t port) {
  Address out = address;
  const auto family = AsSockaddr(out)->sa_family;
  if (family == AF_INET) {
    sockaddr_in v4;
    std::memcpy(&v4, out.storage, sizeof v4);
    v4.sin_port = htons(port);
    std::memcpy(out.storage, &v4, sizeof v4);
  } else if (family == AF_INET6) {
    sockaddr_in6 v6;
    std::memcpy(&v6, out.storage, sizeof v6);
    v6.sin6_port = htons(port);
    std::memcpy(out.storage, &v6, sizeof v6);
  }
  return out;
}

std::string Describe(const Address& address) {
  char host[NI_MAXHOST] = "?";
  char port[NI_MAXSERV] = "?";
  ::getnameinfo(AsSockaddr(address), address.length, host, sizeof host, port, sizeof port,
                NI_NUMERICHOST | NI_NUMERICSERV);
  return std::string(host) + ":" + port;
}

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void Socket::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

int Socket::StartConnect(const Address& address) {
  Close();
  fd_ = ::socket(AsSockaddr(address)->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return errno;
  // Commands are small single writes that wait for a reply; Nagle's delay buys nothing here.
  const int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  if (::connect(fd_, AsSockaddr(address), address.length) == 0 || errno == EINPROGRESS) {
    return 0;
  }
  const int error = errno;
  Close();
  return error;
}

int Socket::ConnectResult() const {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
  return error;
}

Address Socket::Peer() const {
  Address a;
  socklen_t length = sizeof a.storage;
  if (::getpeername(fd_, reinterpret_cast<sockaddr*>(a.storage), &length) == 0) {
    a.length = static_cast<unsigned>(length);
  }
  return a;
}

Socket::Io Socket::Send(const char* data, std::size_t size) {
  Io io;
  // MSG_NOSIGNAL: a peer that has gone must give an error, not kill the process.
  const ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
  if (n >= 0) {
    io.bytes = static_cast<std::size_t>(n);
  } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
    io.wouldBlock = true;
  } else {
    io.error = errno;
  }
  return io;
}

Socket::Io Socket::Receive(char* data, std::size_t size) {
  Io io;
  const ssize_t n = ::recv(fd_, data, size, 0);
  if (n > 0) {
    io.bytes = static_cast<std::size_t>(n);
  } else if (n == 0) {
    io.closed = true;
  } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
    io.wouldBlock = true;
  } else {
    io.error = errno;
  }
  return io;
}

void Socket::DiscardPending() {
  char sink[4096];
  // Bounded: a peer that keeps sending must not keep us here.
  for (int reads = 0; fd_ >= 0 && reads < 64; ++reads) {
    if (::recv(fd_, sink, sizeof sink, 0) <= 0) break;
  }
}

bool Socket::Poll(Want want, int timeoutMs) const {
  pollfd p{};
  p.fd = fd_;
  p.events = want == Want::Read ? POLLIN : POLLOUT;
  const int rc = ::poll(&p, 1, timeoutMs);
  return rc > 0;
}

Socket::Readiness Socket::PollRead(const Socket& other, int timeoutMs) const {
  pollfd p[2] = {};
  p[0].fd = fd_;
  p[0].events = POLLIN;
  p[1].fd = other.fd_;
  p[1].events = POLLIN;
  Readiness ready;
  if (::poll(p, 2, timeoutMs) > 0) {
    ready.self = p[0].revents != 0;
    ready.other = p[1].revents != 0;
  }
  return ready;
}

std::string ErrorText(int error) {
  return std::strerror(error);
}

}  // namespace ftp::net
