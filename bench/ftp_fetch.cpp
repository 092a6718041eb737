// Fetches one file with the FTP client, for ftp_bench.sh to time against curl.
// Usage: ftp_fetch HOST PORT USER PASSWORD REMOTE_PATH LOCAL_FILE
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "ftp/FtpClient.h"

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: %s HOST PORT USER PASSWORD REMOTE_PATH LOCAL_FILE\n", argv[0]);
    return 2;
  }
  try {
    ftp::FtpClient client;
    client.Host = argv[1];
    client.Port = std::atoi(argv[2]);
    client.Username = argv[3];
    client.Password = argv[4];
    client.Connect();
    client.Get(argv[5], argv[6]);
    client.Quit();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ftp_fetch: %s\n", e.what());
    return 1;
  }
  return 0;
}
