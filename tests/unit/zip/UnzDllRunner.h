// Runs one job in the built UNZDLL.DLL, loaded with dlopen as the component loads it, and
// records what the library reported.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "zip/unzdll_abi.h"

struct LibraryReport {
  int kind = 0;
  std::string entry;
  std::string message;
  int64_t bytes = 0;
};

struct JobSetup {
  std::filesystem::path archive{};
  std::filesystem::path base{};
  std::vector<std::string> specs{};
  bool dirNames = true;
  bool overwrite = true;
  bool passwordCallback = true;
  std::vector<std::string> passwords{};  // answers in turn; none left: no password
};

struct JobOutcome {
  int result = 0;
  std::vector<LibraryReport> reports;
  std::vector<std::string> askedFor;  // entries the password was asked for
  std::vector<LibraryReport> Of(int kind) const;
  std::string Describe() const;  // all reports, for failure messages
};

JobOutcome RunJob(const JobSetup& setup);
