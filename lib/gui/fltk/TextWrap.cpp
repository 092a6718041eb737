#include "gui/fltk/TextWrap.h"

namespace gui::fltk {
namespace {

std::size_t NextChar(std::string_view text, std::size_t at) {
  ++at;
  while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  return at;
}

void WrapParagraph(std::string_view text, int maxWidth, const TextWidth& width,
                   std::vector<std::string>& lines) {
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    // The blanks before the next word, then the word.
    std::size_t wordStart = text.find_first_not_of(' ', at);
    if (wordStart == std::string_view::npos) {
      line.append(text.substr(at));  // blanks that end the paragraph stay
      break;
    }
    std::size_t wordEnd = text.find(' ', wordStart);
    if (wordEnd == std::string_view::npos) wordEnd = text.size();
    const std::string_view blanks = text.substr(at, wordStart - at);
    std::string_view word = text.substr(wordStart, wordEnd - wordStart);
    at = wordEnd;

    std::string candidate = line;
    candidate.append(blanks).append(word);
    if (width(candidate) <= maxWidth) {
      line = std::move(candidate);
      continue;
    }
    if (line.find_first_not_of(' ') != std::string::npos) {
      lines.push_back(line);  // the blanks at a break are dropped
      line.clear();
    } else {
      line.append(blanks);  // the blanks a paragraph starts with stay
    }
    // The word starts the line; one wider than the whole line is broken between characters.
    std::size_t from = 0;
    while (from < word.size()) {
      const std::size_t next = NextChar(word, from);
      std::string longer = line;
      longer.append(word.substr(from, next - from));
      if (width(longer) > maxWidth && !line.empty()) {
        lines.push_back(line);
        line.clear();
        continue;
      }
      line = std::move(longer);
      from = next;
    }
  }
  lines.push_back(line);
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int maxWidth, const TextWidth& width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string_view paragraph = std::string_view(text).substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, maxWidth, width, lines);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace gui::fltk
