// A real FTP server process (pyftpdlib under /usr/bin/python3) on loopback, for tests that
// must meet a server we did not write. It serves one folder to one account, and ends when
// this object is destroyed or when the test process dies (it watches its standard input).
#pragma once

#include <sys/types.h>
#include <string>

namespace ftptest {

class RealFtpServer {
 public:
  // True when /usr/bin/python3 can import pyftpdlib.
  static bool Available();

  // Starts the server and waits for its port. Port() is 0 when it could not start. A
  // nonzero `port` asks for that port (for a client whose port is fixed); 0 takes a free one.
  RealFtpServer(const std::string& rootFolder, const std::string& user, const std::string& password,
                int port = 0);
  ~RealFtpServer();
  RealFtpServer(const RealFtpServer&) = delete;
  RealFtpServer& operator=(const RealFtpServer&) = delete;

  const std::string& Host() const { return host_; }
  int Port() const { return port_; }

 private:
  std::string host_ = "127.0.0.1";
  int port_ = 0;
  pid_t pid_ = -1;
  int stdinFd_ = -1;
};

}  // namespace ftptest
