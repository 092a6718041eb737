// Message text laid out in lines no wider than half the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/fltk/TextWrap.h"

namespace {

using Lines = std::vector<std::string>;

// Every character (not byte) is 10 pixels wide.
int Width(std::string_view text) {
  int chars = 0;
  for (unsigned char c : text) chars += (c & 0xC0) != 0x80 ? 1 : 0;
  return chars * 10;
}

struct WrapCase {
  std::string text;
  int maxWidth;
  Lines lines;
};

class WrapText : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapText, BreaksAtBlanksKeepsLeadingBlanksAndSplitsOnlyOverlongWords) {
  EXPECT_EQ(gui::fltk::WrapText(GetParam().text, GetParam().maxWidth, Width), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapText,
    testing::Values(WrapCase{"short", 100, {"short"}}, WrapCase{"", 100, {""}},
                    WrapCase{"one two three", 70, {"one two", "three"}},
                    WrapCase{"     Waiting err..    ", 300, {"     Waiting err..    "}},
                    WrapCase{" 200: 서브와 접속 할 수 없습니다.  ",
                             80,
                             {" 200:", "서브와 접속 할", "수 없습니다.  "}},
                    WrapCase{"abcdefghij xy", 40, {"abcd", "efgh", "ij", "xy"}},
                    WrapCase{"가나다라마바", 30, {"가나다", "라마바"}},
                    WrapCase{"line one\nline two", 200, {"line one", "line two"}},
                    WrapCase{"a\r\n\nb", 200, {"a", "", "b"}}));

}  // namespace
