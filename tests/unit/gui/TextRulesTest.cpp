// Text as the user sees it: the error box's full stop and a label's "&" markers.
#include <gtest/gtest.h>

#include <string>

#include "gui/Application.h"
#include "gui/Controls.h"

namespace {

struct TextCase {
  std::string in;
  std::string out;
};

class ErrorBoxText : public testing::TestWithParam<TextCase> {};

TEST_P(ErrorBoxText, AddsFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(gui::Application::ErrorBoxText(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorBoxText,
    testing::Values(TextCase{"Cannot open file z.txt", "Cannot open file z.txt."},
                    TextCase{"Error 550", "Error 550."},  // digits sort after "."
                    TextCase{"Done.", "Done."}, TextCase{"(code 5)", "(code 5)"},
                    TextCase{"Stop!", "Stop!"}, TextCase{"a,", "a,"}, TextCase{"blank ", "blank "},
                    TextCase{"a-", "a-"},  // "-" sorts before "."
                    TextCase{"", ""}, TextCase{"파일을 열 수 없습니다", "파일을 열 수 없습니다."}));

class DrawnText : public testing::TestWithParam<TextCase> {};

TEST_P(DrawnText, DropsSingleAmpersandsAndHalvesDoubleOnes) {
  EXPECT_EQ(gui::Label::DrawnText(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawnText,
                         testing::Values(TextCase{"&Open", "Open"}, TextCase{"A && B", "A & B"},
                                         TextCase{"&&&x", "&x"}, TextCase{"end&", "end"},
                                         TextCase{" 설치경로 ", " 설치경로 "},
                                         TextCase{"변&경", "변경"}));

}  // namespace
