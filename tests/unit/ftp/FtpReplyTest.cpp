#include "ftp/FtpReply.h"

#include "FtpTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ftp/FtpClient.h"

namespace ftp {
namespace {

using ftptest::PrintTo;

struct ReaderCase {
  const char* name;
  std::string bytes;
  std::vector<Reply> replies;  // complete replies in order
  bool protocolError = false;  // after those replies
};

std::vector<ReaderCase> ReaderCases() {
  const std::string longest(kMaxReplyLine - 4, 'x');
  return {
      {"OneLine", "220 ready\r\n", {{220, "ready"}}},
      {"BareCode", "200\r\n", {{200, ""}}},
      {"LfOnly", "215 UNIX\n", {{215, "UNIX"}}},
      {"TwoInOneRead", "331 pw\r\n230 in\r\n", {{331, "pw"}, {230, "in"}}},
      {"Incomplete", "220 rea", {}},
      {"MultiLine", "220-Welcome\r\n220-to us\r\n220 ready\r\n", {{220, "Welcome\nto us\nready"}}},
      // Inner lines may be free text, even a different code with a blank; only the
      // opening code followed by a blank ends the reply.
      {"MultiLineFreeText",
       "211-Features\r\n SIZE\r\n200 not the end\r\n211 End\r\n",
       {{211, "Features\n SIZE\n200 not the end\nEnd"}}},
      {"MultiLineUnfinished", "220-Welcome\r\n220 ", {}},
      {"LongestLine", "220 " + longest + "\r\n", {{220, longest}}},
      {"LineTooLong", "220 " + longest + "y\r\n", {}, true},
      {"LineTooLongWithoutEnd", "220 " + std::string(kMaxReplyLine + 2, 'x'), {}, true},
      {"NotAReply", "hello\r\n", {}, true},
      {"CodeWithoutSeparator", "220ready\r\n", {}, true},
      // Codes run from 100 to 599; anything else means the stream is not FTP.
      {"CodeBelow100", "099 hello\r\n", {}, true},
      {"CodeZero", "000\r\n", {}, true},
      {"CodeAbove599", "600 odd\r\n", {}, true},
      {"OutOfRangeInsideMultiLineIsText", "220-a\r\n999 b\r\n220 c\r\n", {{220, "a\n999 b\nc"}}},
      {"NulAndHighBytesKept",
       std::string("220 a\0\xFF\r\n", 9),
       {{220, std::string("a\0\xFF", 3)}}},
  };
}

class ReplyReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReplyReaderTest, SplitsBytesIntoReplies) {
  const ReaderCase& c = GetParam();
  // Fed byte by byte as well as at once: where the reads split must not matter.
  for (const bool byteByByte : {false, true}) {
    ReplyReader reader;
    std::vector<Reply> got;
    bool error = false;
    try {
      if (byteByByte) {
        for (char ch : c.bytes) {
          reader.Feed(&ch, 1);
          while (auto r = reader.Next()) got.push_back(*r);
        }
      } else {
        reader.Feed(c.bytes.data(), c.bytes.size());
        while (auto r = reader.Next()) got.push_back(*r);
      }
    } catch (const FtpError& e) {
      EXPECT_EQ(e.kind(), FtpError::Kind::Protocol);
      error = true;
    }
    ASSERT_EQ(got.size(), c.replies.size()) << "byteByByte=" << byteByByte;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].code, c.replies[i].code);
      EXPECT_EQ(got[i].text, c.replies[i].text);
    }
    EXPECT_EQ(error, c.protocolError) << "byteByByte=" << byteByByte;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplyReaderTest, testing::ValuesIn(ReaderCases()),
                         ftptest::CaseName());

TEST(ReplyReaderTest, EndlessMultiLineReplyIsAnError) {
  ReplyReader reader;
  reader.Feed("150-start\r\n", 11);
  const std::string line = std::string(1000, 'x') + "\r\n";
  bool thrown = false;
  for (int i = 0; i < 2000 && !thrown; ++i) {
    reader.Feed(line.data(), line.size());
    try {
      EXPECT_FALSE(reader.Next().has_value());
    } catch (const ftp::FtpError& e) {
      thrown = true;
      EXPECT_EQ(e.kind(), ftp::FtpError::Kind::Protocol);
      EXPECT_GE(i, 1000) << "well past any real reply, not before";
    }
  }
  EXPECT_TRUE(thrown);
}

TEST(ReplyReaderTest, UnfinishedShowsWhatArrived) {
  const struct {
    std::string bytes;
    std::string unfinished;
  } cases[] = {
      {"", ""},
      {"220 ready\r\n", ""},
      {"421 Going down", "421 Going down"},
      {"530-first\r\n530-second\r\n", "530-first\nsecond"},
      {"530-first\r\n53", "530-first\n53"},
  };
  for (const auto& c : cases) {
    ReplyReader reader;
    reader.Feed(c.bytes.data(), c.bytes.size());
    while (reader.Next()) {
    }
    EXPECT_EQ(reader.Unfinished(), c.unfinished) << c.bytes;
  }
}

TEST(PrintableTest, KeepsUtf8AndEscapesTheRest) {
  const struct {
    std::string text;
    std::string printable;
  } cases[] = {
      {"plain text", "plain text"},
      {"two\nlines\tand a tab", "two\nlines\tand a tab"},
      {std::string("nul\0inside", 10), "nul\\x00inside"},
      {"cr\r esc\x1B del\x7F", "cr\\x0D esc\\x1B del\\x7F"},
      {"\xEC\xA0\x91\xEC\x86\x8D", "\xEC\xA0\x91\xEC\x86\x8D"},  // UTF-8 Korean
      {"\xC1\xA2\xBC\xD3", "\\xC1\\xA2\\xBC\\xD3"},              // CP949, not UTF-8
      {"caf\xE9", "caf\\xE9"},                                   // Latin-1
      {"cut \xEC\xA0", "cut \\xEC\\xA0"},                        // sequence cut short
      {"\xC0\xAF", "\\xC0\\xAF"},                                // overlong "/"
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                       // surrogate
      {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},              // above U+10FFFF
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                  // four bytes
  };
  for (const auto& c : cases) EXPECT_EQ(Printable(c.text), c.printable) << c.text;
}

TEST(SizeTextTest, ReadsTheNumberAfterTheFirstBlank) {
  const struct {
    const char* text;
    std::int64_t size;
  } cases[] = {
      {"1234", 1234},
      {"  1234 \t", 1234},  // trimmed first
      {"0", 0},
      {"file 1234", 1234},  // up to and including the first blank goes
      {"1234 bytes", -1},   // so a number followed by a word is no size
      {"a b 1234", -1},
      {"4294967296", 4294967296},  // sizes are 64-bit
      {"9223372036854775807", 9223372036854775807},
      {"9223372036854775808", -1},  // out of range
      {"-5", -5},
      {"+7", 7},
      {"", -1},
      {"x", -1},
      {"12x", -1},
      {"0x10", -1},
      {"1 2", 2},
      {"1  2", -1},  // the rest is " 2", not a number
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSizeText(c.text), c.size) << '"' << c.text << '"';
}

TEST(PasvTextTest, FindsSixNumbers) {
  const struct {
    const char* text;
    std::optional<std::uint16_t> port;
    std::uint8_t firstHostByte = 0;
  } cases[] = {
      {"Entering Passive Mode (127,0,0,1,195,80)", 195 * 256 + 80, 127},
      {"Entering Passive Mode 10,1,2,3,4,5", 4 * 256 + 5, 10},
      {"=192,168,1,9,0,21", 21, 192},
      {"Entering Passive Mode (127,0,0,1,195)", std::nullopt},
      {"Entering Passive Mode (127,0,0,1,256,1)", std::nullopt},
      {"Entering Passive Mode (a,b,c,d,e,f)", std::nullopt},
      {"Entering Passive Mode (127,0,0,1,-1,5)", std::nullopt},
      // a leading number that does not start a run of six is skipped
      {"1 Entering (127,0,0,1,0,99)", 99, 127},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto parsed = ParsePasvText(c.text);
    ASSERT_EQ(parsed.has_value(), c.port.has_value()) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->port, *c.port) << c.text;
    EXPECT_EQ(parsed->host[0], c.firstHostByte) << c.text;
  }
}

}  // namespace
}  // namespace ftp
