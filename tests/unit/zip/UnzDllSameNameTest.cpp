// Entries that name the same place on disk: duplicates, and a file and a folder of one name.
// However the library spreads work over threads, the archive's order decides: a later entry
// replaces an earlier one, and a file cannot replace a folder with contents (or the reverse).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "UnzDllRunner.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zipfixture::ZipBuilder;

TEST(UnzDllSameName, TheLastOfManyDuplicatesWins) {
  TempFolder dir;
  ZipBuilder zip;
  // Enough copies that entries of one name fall to every worker, with plain files around.
  constexpr int kCopies = 40;
  for (int i = 0; i < kCopies; ++i) {
    zip.File("dup.txt", "copy " + std::to_string(i));
    zip.File("bin\\dup.dll", "dll " + std::to_string(i));
    zip.File("other" + std::to_string(i) + ".txt", "x");
  }
  zip.WriteTo(dir / "dup.zip");

  for (int run = 0; run < 5; ++run) {
    const fs::path base = dir / ("out" + std::to_string(run));
    const JobOutcome out = RunJob({.archive = dir / "dup.zip", .base = base});
    EXPECT_EQ(ReadText(base / "dup.txt"), "copy " + std::to_string(kCopies - 1)) << out.Describe();
    EXPECT_EQ(ReadText(base / "bin/dup.dll"), "dll " + std::to_string(kCopies - 1));
    EXPECT_TRUE(out.Of(UNZ_REPORT_SKIPPED).empty()) << out.Describe();
    EXPECT_TRUE(out.Of(UNZ_REPORT_ERROR).empty()) << out.Describe();
    EXPECT_EQ(out.result, 3 * kCopies);
  }
}

TEST(UnzDllSameName, FileAndFolderOfOneNameFollowTheArchiveOrder) {
  struct Case {
    const char* name;
    std::function<void(ZipBuilder&)> build;
    std::vector<std::string> tree;
    std::size_t refused;
  };
  const std::vector<Case> cases = {
      // The folder entry finds a file in its place: the empty file gives way to the folder.
      {"FileThenFolder",
       [](ZipBuilder& z) { z.File("pad", "p").File("x", "file").Folder("x").File("x/in", "in"); },
       {"pad", "x", "x/in"},
       0},
      // A file cannot replace a folder that holds something: refused and reported.
      {"FolderThenFile",
       [](ZipBuilder& z) { z.Folder("x").File("x/in", "in").File("pad", "p").File("x", "file"); },
       {"pad", "x", "x/in"},
       1},
  };
  for (const Case& c : cases) {
    TempFolder dir;
    ZipBuilder zip;
    c.build(zip);
    zip.WriteTo(dir / "mixed.zip");
    for (int run = 0; run < 5; ++run) {
      const fs::path base = dir / ("out" + std::to_string(run));
      const JobOutcome out = RunJob({.archive = dir / "mixed.zip", .base = base});
      EXPECT_EQ(TreeBelow(base), c.tree) << c.name << "\n" << out.Describe();
      EXPECT_EQ(out.Of(UNZ_REPORT_SKIPPED).size(), c.refused) << c.name << "\n" << out.Describe();
    }
  }
}
