// Extract as the main window drives it: archive named relative to the current folder, Windows
// paths, messages and problems, passwords, and GUI handlers running inside the extraction.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>

#include "TempFolder.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"
#include "zip/ZipMaster.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zip::ExtrOption;
using zipfixture::ZipBuilder;

namespace {

// A work folder C:\temp$ holding the library, made current, as the install action has it.
class ZipMasterExtract : public ::testing::Test {
 protected:
  ZipMasterExtract() : system_(dir_.Path()), cwd_((PlaceLibrary(UNZDLL_PATH, work()), work())) {}

  fs::path work() const { return dir_ / "C/temp$"; }
  fs::path install() const { return dir_ / "C/Apps/ABC"; }

  // The settings of the install action.
  void Prepare(zip::ZipMaster& zm) {
    zm.DLLDirectory = "C:\\temp$";
    zm.SetZipFileName("z.zip");
    zm.FSpecArgs.push_back("*.*");
    zm.ExtrBaseDir = "C:\\Apps\\ABC\\";
    zm.ExtrOptions = {ExtrOption::ExtrDirNames, ExtrOption::ExtrOverWrite};
  }

  TempFolder dir_;
  FakeSystem system_;
  CurrentFolder cwd_;
  RecordingHost host_;
};

}  // namespace

TEST_F(ZipMasterExtract, InstallsTheProductPackageWithALibraryLoadedJustForIt) {
  zipfixture::WriteProductPackage(work() / "z.zip");
  zip::ZipMaster zm(system_, host_);
  Prepare(zm);
  EXPECT_EQ(zm.Count(), 3);

  EXPECT_EQ(zm.Extract(), 3);

  for (const auto& [path, contents] : zipfixture::ProductPackageFiles()) {
    EXPECT_EQ(ReadText(install() / path), contents) << path;
  }
  EXPECT_TRUE(zm.Problems().empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(zm.FSpecArgs.empty());
  EXPECT_FALSE(zm.Loaded());      // released after this one extraction
  EXPECT_EQ(host_.processed, 3);  // once per entry reported
}

// No archive, an empty one, and archives whose end record lies about the directory: the
// component reads only inside the file, counts nothing, tells the user once and extracts
// nothing.
TEST_F(ZipMasterExtract, UnreadableArchiveIsToldOnceAndExtractsNothing) {
  const std::string good = ZipBuilder().File("a.txt", "A").File("b.txt", "B").Bytes();
  const size_t end = good.size() - 22;  // the end record; no comment
  const auto patched = [&](size_t at, std::string bytes) {
    std::string out = good;
    out.replace(at, bytes.size(), bytes);
    return out;
  };
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // none: no z.zip at all
  } cases[] = {
      {"NoArchive", std::nullopt},
      {"EmptyFile", std::string()},
      {"MoreEntriesThanTheDirectoryHolds", patched(end + 8, std::string("\xFE\xFF\xFE\xFF", 4))},
      {"DirectoryOffsetPastTheEnd", patched(end + 16, std::string("\x00\x00\x00\x7F", 4))},
      {"DirectorySizePastTheEnd", patched(end + 12, std::string("\x00\x00\x00\x7F", 4))},
      {"CommentLongerThanTheFile", patched(end + 20, std::string("\xFF\xFF", 2))},
      {"Zip64CountWithoutItsRecords", patched(end + 8, std::string("\xFF\xFF\xFF\xFF", 4))},
      {"CutInsideTheDirectory", good.substr(0, end - 10)},
      {"OnlyTheEndRecord", good.substr(end)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(work() / "z.zip");
    if (c.bytes) std::ofstream(work() / "z.zip", std::ios::binary) << *c.bytes;
    RecordingHost host;
    zip::ZipMaster zm(system_, host);
    Prepare(zm);
    EXPECT_EQ(zm.Count(), 0);
    EXPECT_EQ(zm.Extract(), 0);
    EXPECT_EQ(host.messages, std::vector<std::string>{"압축파일을 열 수 없습니다: z.zip"});
    EXPECT_EQ(zm.Problems(), host.messages);
    EXPECT_FALSE(fs::exists(install()));
    EXPECT_TRUE(zm.FSpecArgs.empty());
  }
}

TEST_F(ZipMasterExtract, RefusedEntriesAndMissingPasswordsBecomeProblems) {
  ZipBuilder()
      .File("pelinst.exe", "ok", 0755)
      .File("..\\evil.exe", "pwned")
      .Encrypted("data.bin", "payload", "secret")
      .WriteTo(work() / "z.zip");
  zip::ZipMaster zm(system_, host_);
  Prepare(zm);

  EXPECT_EQ(zm.Extract(), 1);

  ASSERT_EQ(zm.Problems().size(), 2u);
  EXPECT_NE(zm.Problems()[0].find("evil.exe"), std::string::npos) << zm.Problems()[0];
  EXPECT_NE(zm.Problems()[1].find("data.bin"), std::string::npos) << zm.Problems()[1];
  ASSERT_EQ(host_.messages.size(), 1u);  // one box for the whole extraction
  EXPECT_NE(host_.messages[0].find("data.bin"), std::string::npos);
  EXPECT_EQ(host_.askedFor, std::vector<std::string>{"data.bin"});
  EXPECT_FALSE(fs::exists(dir_ / "C/Apps/evil.exe"));
}

TEST_F(ZipMasterExtract, AsksTheHostForThePassword) {
  ZipBuilder().Encrypted("data.bin", "payload", "secret").WriteTo(work() / "z.zip");
  host_.password = "secret";
  zip::ZipMaster zm(system_, host_);
  Prepare(zm);

  EXPECT_EQ(zm.Extract(), 1);
  EXPECT_EQ(ReadText(install() / "data.bin"), "payload");
  EXPECT_TRUE(zm.Problems().empty());
}

TEST_F(ZipMasterExtract, SurvivesHandlersThatUnloadOrDestroyItMidway) {
  zipfixture::WriteProductPackage(work() / "z.zip");
  {
    zip::ZipMaster zm(system_, host_);
    Prepare(zm);
    ASSERT_GT(zm.Load_Unz_Dll(), 0);
    host_.onProcessMessages = [&] { zm.Unload_Unz_Dll(); };
    EXPECT_EQ(zm.Extract(), 3);  // the library stays mapped until the extraction is over
    EXPECT_FALSE(zm.Loaded());
  }
  {
    auto zm = std::make_unique<zip::ZipMaster>(system_, host_);
    Prepare(*zm);
    zip::ZipMaster* raw = zm.get();
    host_.onProcessMessages = [&] { zm.reset(); };  // e.g. the window closing for good
    raw->Extract();  // stops after the current entry and touches nothing of the component
    EXPECT_EQ(zm, nullptr);
  }
}
