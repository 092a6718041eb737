// Plain POSIX socket steps for the scripted server. Every wait is cut into short polls so
// the server notices at once when it is told to stop.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ftptest::loopback {

using StopFn = std::function<bool()>;

// A non-blocking listener on 127.0.0.1 with a port the system picks; -1 on failure.
int Listen(int& port);

// The next connection within limit, or -1 (time out, stop, error). The result blocks.
int Accept(int listener, std::chrono::milliseconds limit, const StopFn& stop);

// False when the peer has gone or the server stops.
bool SendAll(int fd, std::string_view data, const StopFn& stop);

void Close(int& fd);

// Reads CRLF- or LF-terminated lines from a connection.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  // The next line without its line end; nothing when the peer closed or the server stops.
  std::optional<std::string> Next(const StopFn& stop);

 private:
  int fd_;
  std::string pending_;
};

}  // namespace ftptest::loopback
