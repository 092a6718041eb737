#include <gtest/gtest.h>

#include "Unit1.h"

namespace {

TEST(ProductCode, IsTheFileNameBeforeItsFirstUnderscore) {
  struct Case {
    const char* path;
    const char* code;
  } cases[] = {
      {"D:\\Down\\ABC_setup.exe", "ABC"},
      {"C:\\a\\b_c\\ABC_DEF.exe", "ABC"},  // an "_" in a folder name is never reached
      {"C:\\a\\ABC_DEF_GHI.exe", "ABC"},
      {"C:\\a\\ABC_setup_2.exe", "ABC"},
      {"C:\\a\\_ABC.exe", ""},
      {"C:\\a\\abc_setup", "abc"},        // letter case as in the file name
      {"C:\\a\\setup.exe", "setup.exe"},  // no "_": the whole file name
      {"Z:\\home\\u\\XYZ_setup", "XYZ"},
      {"ABC_setup", "ABC"},  // no folder at all
  };
  for (const auto& c : cases) EXPECT_EQ(setup::ProductCodeFromPath(c.path), c.code) << c.path;
}

}  // namespace
