// Pure text rules of the FTP control connection: reply lines, replies that span several
// lines, the SIZE answer and the PASV answer. No sockets here, so each rule is testable alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ftp {

// One complete server reply. text is what follows the code; the lines of a multi-line
// reply are joined with '\n', each without its "123-" or "123 " prefix.
struct Reply {
  int code = 0;
  std::string text;
};

// One line of a reply: "123 text" ends a reply, "123-text" opens a multi-line one.
// A bare "123" also ends a reply. Anything else is not a reply line, and neither is a code
// outside 100-599: no server sends one, so such a stream is not FTP (or is out of step).
struct ReplyLine {
  int code = 0;
  bool last = true;
  std::string_view text;
};
std::optional<ReplyLine> ParseReplyLine(std::string_view line);

// Collects received bytes and hands out complete replies. Lines end with LF; a CR before
// it is dropped. Throws FtpError (Protocol) for a line longer than kMaxReplyLine or a first
// line that is not a reply line.
class ReplyReader {
 public:
  void Feed(const char* data, std::size_t size);
  std::optional<Reply> Next();
  void Clear();
  // What has arrived of a reply that is not complete yet (the lines of an unfinished
  // multi-line reply, a last line without its line end), for the message when the server
  // closes the connection before finishing it. Empty when nothing is pending.
  std::string Unfinished() const;

 private:
  std::optional<std::string_view> NextLine();

  std::string pending_;
  std::size_t start_ = 0;    // first unconsumed byte of pending_
  std::size_t scanned_ = 0;  // bytes after start_ already known to hold no LF
  std::optional<Reply> partial_;
};

// Server text made fit for a message: valid UTF-8 stays, line breaks and tabs stay, and
// every other control byte (NUL included) or byte that is not UTF-8 becomes "\xNN", so
// the message neither ends early nor carries broken characters.
std::string Printable(std::string_view text);

// The size in the text of a 213 reply: trimmed; when it holds a blank, everything up to and
// including the first blank goes (so "213 1234" and "213 x 1234" agree); the rest read as a
// signed 64-bit decimal. -1 when it is not one.
std::int64_t ParseSizeText(std::string_view text);

// The six numbers of a 227 reply: "(h1,h2,h3,h4,p1,p2)", with or without the brackets.
struct PassiveAddress {
  std::uint8_t host[4] = {0, 0, 0, 0};
  std::uint16_t port = 0;
};
std::optional<PassiveAddress> ParsePasvText(std::string_view text);

}  // namespace ftp
