// What the library leaves on disk for ordinary archives: paths, contents, modes, times,
// replaced files, selected entries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "TempFolder.h"
#include "UnzDllRunner.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zipfixture::ZipBuilder;

namespace {

struct stat StatOf(const fs::path& p) {
  struct stat st {};
  EXPECT_EQ(lstat(p.c_str(), &st), 0) << p;
  return st;
}

}  // namespace

TEST(UnzDllExtract, ProductPackageLandsWithFoldersAndReportsEachEntry) {
  TempFolder dir;
  zipfixture::WriteProductPackage(dir / "z.zip");
  const fs::path base = dir / "Apps/ABC";  // parents missing: the library creates them

  const JobOutcome out = RunJob({.archive = dir / "z.zip", .base = base, .specs = {"*.*"}});

  EXPECT_EQ(out.result, 3) << out.Describe();
  EXPECT_TRUE(out.Of(UNZ_REPORT_SKIPPED).empty()) << out.Describe();
  EXPECT_TRUE(out.Of(UNZ_REPORT_ERROR).empty()) << out.Describe();
  EXPECT_EQ(out.Of(UNZ_REPORT_ENTRY).size(), 3u);
  for (const auto& [path, contents] : zipfixture::ProductPackageFiles()) {
    EXPECT_EQ(ReadText(base / path), contents) << path;
  }
  EXPECT_TRUE(fs::is_directory(base / "bin"));
  EXPECT_EQ(access((base / "pelinst.exe").c_str(), X_OK), 0);
}

TEST(UnzDllExtract, OverwriteReplacesExistingFilesAndOtherwiseKeepsThem) {
  TempFolder dir;
  ZipBuilder().File("bin\\tool.dll", "new").WriteTo(dir / "a.zip");
  for (const bool overwrite : {true, false}) {
    const fs::path base = dir / (overwrite ? "replace" : "keep");
    fs::create_directories(base / "bin");
    { std::ofstream(base / "bin/tool.dll") << "old"; }
    fs::permissions(base / "bin/tool.dll", fs::perms::owner_read);  // read-only

    const JobOutcome out = RunJob({.archive = dir / "a.zip", .base = base, .overwrite = overwrite});

    EXPECT_EQ(ReadText(base / "bin/tool.dll"), overwrite ? "new" : "old") << out.Describe();
    EXPECT_EQ(out.result, overwrite ? 1 : 0);
    EXPECT_EQ(out.Of(UNZ_REPORT_KEPT).size(), overwrite ? 0u : 1u) << out.Describe();
  }
}

TEST(UnzDllExtract, ModesAndTimesFromTheArchiveAreKept) {
  TempFolder dir;
  umask(022);
  const int64_t fileTime = 1500000000;  // 2017-07-14, UTC
  const int64_t folderTime = 1400000000;
  zipfixture::ZipEntry secret;
  secret.name = "etc/secret.conf";
  secret.data = "s";
  secret.unixMode = S_IFREG | 0600;
  secret.mtime = fileTime;
  zipfixture::ZipEntry folder;
  folder.name = "etc/";
  folder.unixMode = S_IFDIR | 0750;
  folder.mtime = folderTime;
  ZipBuilder()
      .Add(folder)
      .Add(secret)
      .File("run.sh", "#!/bin/sh\n", 0755)
      .File("readme.txt", "dos-made: no mode stored")
      .WriteTo(dir / "a.zip");

  const JobOutcome out = RunJob({.archive = dir / "a.zip", .base = dir / "out"});
  ASSERT_EQ(out.result, 3) << out.Describe();

  EXPECT_EQ(StatOf(dir / "out/etc/secret.conf").st_mode & 07777, 0600u);
  EXPECT_EQ(StatOf(dir / "out/etc/secret.conf").st_mtime, fileTime);
  EXPECT_EQ(StatOf(dir / "out/etc").st_mode & 07777, 0750u);
  EXPECT_EQ(StatOf(dir / "out/etc").st_mtime, folderTime);  // set after its files were written
  EXPECT_EQ(StatOf(dir / "out/run.sh").st_mode & 07777, 0755u);
  EXPECT_EQ(StatOf(dir / "out/readme.txt").st_mode & 07777, 0644u);
}

TEST(UnzDllExtract, SpecsAndFolderNamesSelectWhatLandsWhere) {
  struct Case {
    std::vector<std::string> specs;
    bool dirNames;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{}, true, {"bin", "bin/tool.dll", "pelinst.exe", "설명서.txt"}},
      {{"*.*"}, false, {"pelinst.exe", "tool.dll", "설명서.txt"}},
      {{"*.DLL"}, true, {"bin", "bin/tool.dll"}},
      {{"bin\\tool.dll", "PELINST.EXE"}, true, {"bin", "bin/tool.dll", "pelinst.exe"}},
      {{"nothing.txt"}, true, {}},
  };
  TempFolder dir;
  zipfixture::WriteProductPackage(dir / "z.zip");
  int n = 0;
  for (const Case& c : cases) {
    const fs::path base = dir / std::to_string(n++);
    fs::create_directories(base);
    const JobOutcome out =
        RunJob({.archive = dir / "z.zip", .base = base, .specs = c.specs, .dirNames = c.dirNames});
    EXPECT_EQ(TreeBelow(base), c.expected) << "case " << n - 1 << "\n" << out.Describe();
  }
}
