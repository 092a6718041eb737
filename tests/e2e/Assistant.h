// The executable under test as a user starts it: copied under a product's file name
// ("ABC_setup") into a folder of the test's own and started there on the test's display.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace e2e {

class Assistant {
 public:
  // Throws std::runtime_error when it cannot be copied or started.
  Assistant(const std::filesystem::path& executable, const std::filesystem::path& folder,
            const std::string& product, const std::string& display);
  // Kills the process when it is still running.
  ~Assistant();
  Assistant(const Assistant&) = delete;
  Assistant& operator=(const Assistant&) = delete;

  // The exit status once the process has ended, or nothing when it still runs after `limit`
  // (or was ended by a signal).
  std::optional<int> WaitForExit(std::chrono::milliseconds limit);
  bool Running();
  // What the process wrote to its standard output and error.
  std::string Output() const;

 private:
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
  std::filesystem::path log_;
};

}  // namespace e2e
