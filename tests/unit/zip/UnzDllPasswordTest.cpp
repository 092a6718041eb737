// Encrypted entries: the password is asked through the callback; without the right one the
// entry is refused and nothing (in particular no zero-filled file) is left behind.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "UnzDllRunner.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zipfixture::ZipBuilder;

TEST(UnzDllPassword, OnlyTheRightPasswordExtracts) {
  struct Case {
    const char* name;
    bool callback;
    std::vector<std::string> answers;
    bool extracted;
    size_t asked;
  };
  const Case cases[] = {
      {"right", true, {"secret"}, true, 1},
      {"wrong, then right", true, {"guess", "secret"}, true, 2},
      {"always wrong", true, {"guess", "guess2", "guess3", "guess4"}, false, 3},
      {"user cancels", true, {}, false, 1},
      {"no callback", false, {}, false, 0},
  };
  TempFolder dir;
  const std::string data(100000, 'x');  // large enough that a left-over file would show
  ZipBuilder()
      .Encrypted("setup.dat", data, "secret")
      .File("open.txt", "open")
      .WriteTo(dir / "locked.zip");
  for (const Case& c : cases) {
    const fs::path base = dir / c.name;
    const JobOutcome out = RunJob({.archive = dir / "locked.zip",
                                   .base = base,
                                   .passwordCallback = c.callback,
                                   .passwords = c.answers});
    EXPECT_EQ(ReadText(base / "open.txt"), "open") << c.name;
    EXPECT_EQ(out.askedFor.size(), c.asked) << c.name;
    if (c.extracted) {
      EXPECT_EQ(ReadText(base / "setup.dat"), data) << c.name;
      EXPECT_EQ(out.result, 2) << c.name << "\n" << out.Describe();
    } else {
      EXPECT_FALSE(fs::exists(base / "setup.dat")) << c.name;
      EXPECT_EQ(out.result, 1) << c.name;
      ASSERT_EQ(out.Of(UNZ_REPORT_SKIPPED).size(), 1u) << c.name << "\n" << out.Describe();
      EXPECT_EQ(out.Of(UNZ_REPORT_SKIPPED)[0].entry, "setup.dat");
    }
  }
}
