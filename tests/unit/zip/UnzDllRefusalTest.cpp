// Entries that would land outside the target folder, links that point out of it, and broken
// archives: refused or reported, with nothing written outside and no partial files.
#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "UnzDllRunner.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zipfixture::ZipBuilder;

TEST(UnzDllRefusal, HostilePathsAreRefusedAndReported) {
  TempFolder dir;
  const std::string absolute = (dir / "evil-abs").string();
  const std::vector<std::string> hostile = {
      "../evil",    "..\\evil", "a/../../evil", "a\\..\\..\\evil", absolute,
      "\\evil-abs", "C:\\evil", "C:evil",       "c:/evil",
  };
  ZipBuilder zip;
  zip.File("good.txt", "fine");
  // Stored as made on Windows, and again as made on Unix: libarchive turns "\\" into "/" only
  // for the former, so the latter reaches our own checks with its backslashes.
  for (const std::string& name : hostile) zip.File(name, "pwned");
  for (const std::string& name : hostile) zip.File(name, "pwned", 0644);
  zip.WriteTo(dir / "hostile.zip");
  const fs::path base = dir / "a/b/target";  // deep, so ".." would still land inside dir

  const JobOutcome out = RunJob({.archive = dir / "hostile.zip", .base = base});

  EXPECT_EQ(out.result, 1) << out.Describe();
  EXPECT_EQ(TreeBelow(base), std::vector<std::string>{"good.txt"});
  const auto slashed = [](std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
  };
  std::vector<std::string> refused;
  for (const LibraryReport& r : out.Of(UNZ_REPORT_SKIPPED)) refused.push_back(slashed(r.entry));
  std::vector<std::string> expected;
  for (int twice = 0; twice < 2; ++twice) {
    for (const std::string& name : hostile) expected.push_back(slashed(name));
  }
  EXPECT_EQ(refused, expected);
  EXPECT_EQ(
      TreeBelow(dir.Path()),
      (std::vector<std::string>{"a", "a/b", "a/b/target", "a/b/target/good.txt", "hostile.zip"}));
}

TEST(UnzDllRefusal, LinksPointingOutsideAreRefusedAndNothingIsWrittenThroughThem) {
  TempFolder dir;
  fs::create_directories(dir / "outside");
  fs::create_directories(dir / "target");
  // A link left in the target folder from before, pointing out of it.
  fs::create_directory_symlink(dir / "outside", dir / "target/old");
  ZipBuilder()
      .File("app/main.txt", "main")
      .Symlink("up", "../outside")
      .Symlink("abs", (dir / "outside").string())
      .Symlink("app/deep", "../..")
      .Symlink("app/sneaky", "sub/../../..")
      .Symlink("app/fine", "../app/main.txt")  // inside: allowed
      .File("up/evil", "pwned")
      .File("abs/evil", "pwned")
      .File("old/evil", "pwned")
      .WriteTo(dir / "links.zip");

  const JobOutcome out = RunJob({.archive = dir / "links.zip", .base = dir / "target"});

  EXPECT_TRUE(fs::is_empty(dir / "outside"));
  // "up/evil" and "abs/evil" land in real folders inside, since their links were refused.
  EXPECT_EQ(TreeBelow(dir / "target"),
            (std::vector<std::string>{"abs", "abs/evil", "app", "app/fine", "app/main.txt", "old",
                                      "up", "up/evil"}))
      << out.Describe();
  EXPECT_EQ(fs::read_symlink(dir / "target/app/fine"), "../app/main.txt");
  EXPECT_EQ(ReadText(dir / "target/app/fine"), "main");
  EXPECT_EQ(out.Of(UNZ_REPORT_SKIPPED).size(), 5u) << out.Describe();
  EXPECT_EQ(out.result, 4);
}

TEST(UnzDllRefusal, TruncatedOrMissingArchiveIsReportedWithoutPartialFiles) {
  TempFolder dir;
  const std::string big(300000, 'b');
  ZipBuilder zip;
  zip.File("first.txt", "complete").File("big.bin", big).File("last.txt", "never reached");
  zip.WriteTruncatedTo(dir / "cut.zip", zip.Bytes().size() / 2);

  for (const fs::path& archive : {dir / "cut.zip", dir / "missing.zip"}) {
    const fs::path base = dir / ("out-" + archive.stem().string());
    const JobOutcome out = RunJob({.archive = archive, .base = base});
    EXPECT_FALSE(out.Of(UNZ_REPORT_ERROR).empty() && out.Of(UNZ_REPORT_SKIPPED).empty())
        << archive << "\n"
        << out.Describe();
    EXPECT_FALSE(fs::exists(base / "big.bin")) << archive;
    EXPECT_FALSE(fs::exists(base / "last.txt")) << archive;
    if (fs::exists(base / "first.txt")) {
      EXPECT_EQ(ReadText(base / "first.txt"), "complete");
    }
  }
}

TEST(UnzDllRefusal, NamesTooLongForTheSystemAreRefusedAndOthersLandInPlace) {
  TempFolder dir;
  ZipBuilder zip;
  std::vector<std::string> tooLong;
  std::vector<std::string> expected;
  for (int k = 0; k < 8; ++k) {
    // Parts of 200 bytes each, PATH_MAX and beyond in all.
    std::string name = "deep" + std::to_string(k);
    while (name.size() < 4096 + static_cast<std::size_t>(k) * 100)
      name += "/" + std::string(200, 'a');
    name += "/file.txt";
    tooLong.push_back(name);
    zip.File(name, "deep");
    for (int j = 0; j < 8; ++j) {
      const std::string file = "f" + std::to_string(k) + "-" + std::to_string(j);
      zip.File(file, "flat");
      expected.push_back(file);
    }
  }
  // A single part longer than a name may be.
  zip.File(std::string(300, 'L'), "long part");
  zip.WriteTo(dir / "long.zip");
  std::sort(expected.begin(), expected.end());

  for (int run = 0; run < 3; ++run) {
    const fs::path base = dir / ("target" + std::to_string(run));
    const JobOutcome out = RunJob({.archive = dir / "long.zip", .base = base});
    EXPECT_EQ(TreeBelow(base), expected) << out.Describe();
    // Both lanes refuse, so in no fixed order; the names are too long to print.
    std::vector<std::string> refused;
    for (const LibraryReport& r : out.Of(UNZ_REPORT_SKIPPED)) refused.push_back(r.entry);
    std::vector<std::string> expectedRefused = tooLong;
    expectedRefused.push_back(std::string(300, 'L'));
    std::sort(refused.begin(), refused.end());
    std::sort(expectedRefused.begin(), expectedRefused.end());
    EXPECT_TRUE(refused == expectedRefused) << refused.size() << " refusals";
    EXPECT_EQ(out.result, static_cast<int>(expected.size()));
  }
}
