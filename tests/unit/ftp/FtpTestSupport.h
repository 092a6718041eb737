// Small helpers shared by the FTP tests: a temporary folder per test, file reading, a client
// pointed at a server, and a log of the transfer events.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "ftp/FtpClient.h"

namespace ftptest {

inline constexpr const char* kUser = "quandel";
inline constexpr const char* kPassword = "KaqWrBe%%7391%%";

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("ftp-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Names the instances of a parameterised test after the case's name member.
struct CaseName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

// Prints a case as its name, so test listings show no byte dumps. Test files bring it into
// the namespace of their case structs with a using-declaration.
template <typename Case>
requires requires(const Case& c) {
  c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Bytes that differ from position to position, so a reordered or dropped block shows.
inline std::string Pattern(std::size_t size) {
  std::string out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>((i * 131 + i / 251) & 0xff);
  return out;
}

inline void PointAt(ftp::FtpClient& client, const std::string& host, int port) {
  client.Host = host;
  client.Port = port;
  client.Username = kUser;
  client.Password = kPassword;
}

// Records the transfer events as "begin 0", "work 8192", "end".
inline std::vector<std::string>& LogEvents(ftp::FtpClient& client, std::vector<std::string>& log) {
  client.OnWorkBegin = [&log](std::int64_t max) { log.push_back("begin " + std::to_string(max)); };
  client.OnWork = [&log](std::int64_t count) { log.push_back("work " + std::to_string(count)); };
  client.OnWorkEnd = [&log] { log.push_back("end"); };
  return log;
}

}  // namespace ftptest
