// Names stored in code page 949 (Korean Windows tools) and in UTF-8 come out as UTF-8, and the
// job leaves the host's locale and current folder alone.
#include <gtest/gtest.h>
#include <locale.h>

#include "TempFolder.h"
#include "UnzDllRunner.h"
#include "ZipTestSupport.h"
#include "zip/ZipFixture.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using zipfixture::ZipBuilder;

TEST(UnzDllNames, KoreanAndUtf8NamesComeOutRightWhateverTheHostLocale) {
  TempFolder dir;
  ZipBuilder()
      .Cp949File("설치\\한글 설명서.txt", "cp949")
      .Utf8File("données/日本語.txt", "utf8")
      .File("plain.txt", "ascii")
      .WriteTo(dir / "names.zip");
  // The test process runs in the "C" locale, where libarchive cannot decode these names.
  ASSERT_STREQ(setlocale(LC_ALL, nullptr), "C");
  const std::string localeBefore = setlocale(LC_ALL, nullptr);
  const locale_t threadLocaleBefore = uselocale(static_cast<locale_t>(nullptr));
  const fs::path cwdBefore = fs::current_path();

  const JobOutcome out = RunJob({.archive = dir / "names.zip", .base = dir / "out"});

  EXPECT_EQ(out.result, 3) << out.Describe();
  EXPECT_TRUE(out.Of(UNZ_REPORT_ERROR).empty()) << out.Describe();
  EXPECT_EQ(ReadText(dir / "out/설치/한글 설명서.txt"), "cp949");
  EXPECT_EQ(ReadText(dir / "out/données/日本語.txt"), "utf8");
  EXPECT_EQ(ReadText(dir / "out/plain.txt"), "ascii");
  EXPECT_EQ(setlocale(LC_ALL, nullptr), localeBefore);
  EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), threadLocaleBefore);
  EXPECT_EQ(fs::current_path(), cwdBefore);
}
