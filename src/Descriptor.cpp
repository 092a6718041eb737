#include "Descriptor.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace setup {

std::string DecodeCp949(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP949");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("CP949 is not available");
  std::string out;
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // Invalid or truncated sequence: mark it and go on with the next byte.
      out += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> ReadDescriptor(std::string_view fileBytes) {
  const std::size_t zero = fileBytes.find('\0');
  if (zero != std::string_view::npos) fileBytes = fileBytes.substr(0, zero);
  return SplitLines(DecodeCp949(fileBytes));
}

}  // namespace setup
