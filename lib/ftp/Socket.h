// The only file that knows the operating system's socket calls. Every socket is
// non-blocking; waiting is the caller's business (see Poll).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ftp::net {

// An address to connect to, kept in the system's own form.
struct Address {
  unsigned char storage[128] = {};
  unsigned length = 0;
};

// Host lookup. Blocks; throws FtpError (Lookup) when the name does not resolve.
std::vector<Address> Resolve(const std::string& host, int port);

// The same address with another port.
Address WithPort(const Address& address, std::uint16_t port);

// A printable "host:port" for messages.
std::string Describe(const Address& address);

class Socket {
 public:
  Socket() = default;
  ~Socket() { Close(); }
  Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // Starts a non-blocking connect. Returns 0, or the system error when it failed at once.
  int StartConnect(const Address& address);
  // After the socket turned writable: 0 when the connection stands, else the system error.
  int ConnectResult() const;
  // The peer of a connected socket.
  Address Peer() const;

  struct Io {
    std::size_t bytes = 0;
    bool wouldBlock = false;
    bool closed = false;  // orderly close by the peer (receive only)
    int error = 0;
  };
  Io Send(const char* data, std::size_t size);
  Io Receive(char* data, std::size_t size);
  // Reads and drops whatever has already arrived, without waiting, so that closing does
  // not turn into a reset that could discard our last command at the peer.
  void DiscardPending();

  enum class Want { Read, Write };
  // Waits at most timeoutMs for the socket to become ready. A socket with an error or a
  // hang-up counts as ready: the next call reports what happened.
  bool Poll(Want want, int timeoutMs) const;
  // Waits at most timeoutMs for this socket or `other` to have something to read (an error
  // or a hang-up counts, as for Poll), and says which of the two are ready.
  struct Readiness {
    bool self = false;
    bool other = false;
  };
  Readiness PollRead(const Socket& other, int timeoutMs) const;

 private:
  int fd_ = -1;
};

std::string ErrorText(int error);

}  // namespace ftp::net
