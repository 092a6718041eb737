#include "ftp/FtpReply.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "ftp/FtpClient.h"

namespace ftp {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Trimming drops control characters as well as blanks, the way servers pad their replies.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<ReplyLine> ParseReplyLine(std::string_view line) {
  if (line.size() < 3 || line[0] < '1' || line[0] > '5' || !IsDigit(line[1]) || !IsDigit(line[2])) {
    return std::nullopt;
  }
  ReplyLine out;
  out.code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
  if (line.size() == 3) return out;
  if (line[3] != ' ' && line[3] != '-') return std::nullopt;
  out.last = line[3] == ' ';
  out.text = line.substr(4);
  return out;
}

void ReplyReader::Feed(const char* data, std::size_t size) {
  // Replies are copied out of the buffer, so consumed bytes can go before new ones arrive.
  pending_.erase(0, start_);
  start_ = 0;
  pending_.append(data, size);
}

void ReplyReader::Clear() {
  pending_.clear();
  start_ = 0;
  scanned_ = 0;
  partial_.reset();
}

std::string ReplyReader::Unfinished() const {
  std::string out;
  if (partial_) out = std::to_string(partial_->code) + "-" + partial_->text;
  std::string_view rest(pending_);
  rest.remove_prefix(start_);
  if (!rest.empty() && !out.empty()) out += '\n';
  out += rest;
  return out;
}

std::optional<std::string_view> ReplyReader::NextLine() {
  const std::size_t lf = pending_.find('\n', start_ + scanned_);
  if (lf == std::string::npos) {
    scanned_ = pending_.size() - start_;
    // A CR may still be waiting for its LF, so one byte more than the limit is allowed.
    if (scanned_ > kMaxReplyLine + 1) {
      throw FtpError(FtpError::Kind::Protocol, 0, "reply line longer than 16384 characters");
    }
    return std::nullopt;
  }
  std::string_view line(pending_.data() + start_, lf - start_);
  start_ = lf + 1;
  scanned_ = 0;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() > kMaxReplyLine) {
    throw FtpError(FtpError::Kind::Protocol, 0, "reply line longer than 16384 characters");
  }
  return line;
}

std::optional<Reply> ReplyReader::Next() {
  while (auto line = NextLine()) {
    const auto parsed = ParseReplyLine(*line);
    if (!partial_) {
      if (!parsed) {
        throw FtpError(FtpError::Kind::Protocol, 0,
                       "not an FTP reply: " + Printable(line->substr(0, 80)));
      }
      if (parsed->last) {
        return Reply{parsed->code, std::string(parsed->text)};
      }
      partial_ = Reply{parsed->code, std::string(parsed->text)};
      continue;
    }
    // Inside a multi-line reply only "<same code> " ends it; other lines are plain text,
    // with an echoed "<same code>-" prefix removed when a server repeats it.
    std::string_view text = *line;
    bool ends = false;
    if (parsed && parsed->code == partial_->code) {
      text = parsed->text;
      ends = parsed->last;
    }
    partial_->text += '\n';
    partial_->text += text;
    if (partial_->text.size() > kMaxReplyBytes) {
      throw FtpError(FtpError::Kind::Protocol, partial_->code,
                     "reply longer than " + std::to_string(kMaxReplyBytes) + " bytes");
    }
    if (ends) {
      Reply reply = std::move(*partial_);
      partial_.reset();
      return reply;
    }
  }
  return std::nullopt;
}

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  const auto escape = [&](unsigned char c) {
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if ((c < ' ' && c != '\n' && c != '\t') || c == 0x7F) {
        escape(c);
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // The length of the sequence a lead byte announces, and the smallest code point it may
    // carry (longer forms of small code points and surrogates are not UTF-8).
    std::size_t length = 0;
    std::uint32_t point = 0;
    std::uint32_t least = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      point = c & 0x1Fu;
      least = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      point = c & 0x0Fu;
      least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      point = c & 0x07u;
      least = 0x10000;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3Fu);
    }
    valid = valid && point >= least && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      escape(c);
      ++i;
    }
  }
  return out;
}

std::int64_t ParseSizeText(std::string_view text) {
  text = Trim(text);
  if (const auto blank = text.find(' '); blank != std::string_view::npos) {
    text.remove_prefix(blank + 1);
  }
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const std::string_view digits = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
  if (digits.empty() || !IsDigit(digits.front())) return -1;
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return -1;
  return value;
}

std::optional<PassiveAddress> ParsePasvText(std::string_view text) {
  // Servers differ in what surrounds the numbers, so take the first run of six
  // comma-separated numbers anywhere in the text.
  for (std::size_t from = 0; from < text.size(); ++from) {
    if (!IsDigit(text[from]) || (from > 0 && IsDigit(text[from - 1]))) continue;
    int numbers[6] = {};
    std::size_t pos = from;
    int count = 0;
    for (; count < 6; ++count) {
      const char* begin = text.data() + pos;
      const auto [ptr, ec] = std::from_chars(begin, text.data() + text.size(), numbers[count]);
      if (ec != std::errc() || ptr == begin || numbers[count] < 0 || numbers[count] > 255) break;
      pos = static_cast<std::size_t>(ptr - text.data());
      if (count < 5) {
        if (pos >= text.size() || text[pos] != ',') break;
        ++pos;
      }
    }
    if (count < 6) continue;
    PassiveAddress out;
    for (int i = 0; i < 4; ++i) out.host[i] = static_cast<std::uint8_t>(numbers[i]);
    out.port = static_cast<std::uint16_t>(numbers[4] * 256 + numbers[5]);
    return out;
  }
  return std::nullopt;
}

}  // namespace ftp
