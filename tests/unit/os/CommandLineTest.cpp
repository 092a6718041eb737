#include "os/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsByWindowsRules) {
  struct Case {
    const char* line;
    Args args;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"/S /D=C:\\Apps", {"/S", "/D=C:\\Apps"}},
      {"a\tb  c", {"a", "b", "c"}},
      {"\"C:\\Program Files\\ABC\" -q", {"C:\\Program Files\\ABC", "-q"}},
      {"\"\"", {""}},
      {"a\\\\\\\"b", {"a\\\"b"}},    // 3 backslashes + quote: one backslash, literal quote
      {"a\\\\\"b c\"", {"a\\b c"}},  // 2 backslashes + quote: one backslash, quote opens
      {"C:\\dir\\", {"C:\\dir\\"}},  // backslashes not before a quote stay
      {"\"a\"\"b\"", {"a\"b"}},      // "" inside quotes is a literal quote
      {"설치 /모드=전체", {"설치", "/모드=전체"}},
  };
  for (const auto& c : cases) EXPECT_EQ(os::SplitCommandLine(c.line), c.args) << c.line;
}

}  // namespace
