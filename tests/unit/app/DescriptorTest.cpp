#include "Descriptor.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(Descriptor, LineEnds) {
  struct Case {
    const char* text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},  // bare line feeds read like CR LF
      {"a\rb", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two breaks
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\n", {"a", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(setup::SplitLines(c.text), c.lines) << c.text;
}

TEST(Descriptor, DecodesCodePage949AndEndsAtTheFirstZeroByte) {
  // "한글" in code page 949 is C7 D1 B1 DB.
  const std::string bytes = std::string("C:\\Apps\\ABC\r\n/S\r\n\xC7\xD1\xB1\xDB") + '\0' + "junk";
  EXPECT_EQ(setup::ReadDescriptor(bytes), (Lines{"C:\\Apps\\ABC", "/S", "한글"}));
}

TEST(Descriptor, DamagedBytesDoNotLoseTheRestOfTheLine) {
  // A lead byte followed by a byte that cannot complete it, and a lead byte at the very end.
  const auto lines = setup::ReadDescriptor("a\x81\x20z\r\nok\xC7");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].front(), 'a');
  EXPECT_EQ(lines[0].back(), 'z');
  EXPECT_EQ(lines[1].substr(0, 2), "ok");
}

}  // namespace
