// A small blocking FTP client for the distribution server: one control connection, passive
// binary data connections, and transfer events for the progress gauge.
//
// Every wait (connect, a reply, data) polls its socket for at most kIdlePollMs and calls
// OnIdle between polls, so a GUI thread that owns the client keeps handling its window.
// Host lookup is the one wait that does not call OnIdle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace ftp {

// All time limits of the client live here.
inline constexpr int kIdlePollMs = 50;
inline constexpr int kConnectTimeoutMs = 120000;
inline constexpr std::size_t kMaxReplyLine = 16384;
// A multi-line reply may have any number of lines, but not without end: a server that keeps
// sending them would otherwise take all memory.
inline constexpr std::size_t kMaxReplyBytes = 1 << 20;
inline constexpr std::size_t kReceiveBlock = 8192;

// A failure of an FTP operation. For a refused command it carries the server's reply.
class FtpError : public std::runtime_error {
 public:
  enum class Kind { Lookup, Connect, Closed, Protocol, Refused, LocalFile };
  FtpError(Kind kind, int code, const std::string& message)
      : std::runtime_error(message), kind_(kind), code_(code) {}
  Kind kind() const { return kind_; }
  // The reply code of a refused command; 0 when the failure is not a server reply.
  int code() const { return code_; }

 private:
  Kind kind_;
  int code_;
};

class FtpClient {
 public:
  FtpClient();
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  std::string Host;
  int Port = 21;
  std::string Username;
  std::string Password;

  // Called between polls of every blocking wait, at least every kIdlePollMs.
  // It may run arbitrary code, including calls back into this client.
  std::function<void()> OnIdle;
  // Transfer events of a retrieve. OnWorkBegin gets the announced total (always 0 here:
  // a retrieve never announces its size); OnWork gets the running byte count after each
  // full block of kReceiveBlock bytes; OnWorkEnd follows the last data, also when the data
  // phase fails. An exception thrown by a handler ends the retrieve and propagates.
  std::function<void(std::int64_t workCountMax)> OnWorkBegin;
  std::function<void(std::int64_t workCount)> OnWork;
  std::function<void()> OnWorkEnd;

  // True while a control connection is held open (a dropped connection is only noticed
  // by the next command).
  bool Connected() const;

  // Lookup, TCP connect (given up after kConnectTimeoutMs), greeting 220, USER (230/331),
  // PASS only after 331 (230), TYPE I (200), SYST (200/215/500). On failure the client is
  // left unconnected and may connect again at once. A client that is still connected drops
  // that connection (without QUIT) and starts over.
  void Connect();

  // SIZE path: the size for a 213 reply whose text reads as a number, -1 for any other
  // reply. Throws only when there is no usable connection.
  std::int64_t Size(const std::string& path);

  // Retrieve path into the local file at hostPath (created or emptied first, never resumed).
  // The data connection goes to the control connection's host; only the port comes from
  // the PASV reply. On failure the local file stays as far as it got.
  void Get(const std::string& path, const std::string& hostPath);

  // ABOR without reading a reply; closes a running data connection.
  void Abort();

  // QUIT without awaiting a reply; closes the connection. No error when the server is gone.
  void Quit();

  // Re-entrancy: when a handler run from OnIdle or a work event calls Abort, Quit or Connect
  // on this client, the call that was blocked ends with an FtpError (Closed). A nested Size
  // or Get on the same connection is refused with an FtpError (Protocol). Destroying the
  // client from inside one of its own handlers is not supported.

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace ftp
