#include "os/CommandLine.h"

namespace os {

std::vector<std::string> SplitCommandLine(const std::string& parameters) {
  std::vector<std::string> args;
  std::string current;
  bool inArg = false;
  bool quoted = false;
  std::size_t i = 0;
  const std::size_t n = parameters.size();
  while (i < n) {
    const char c = parameters[i];
    if (c == '\\') {
      std::size_t slashes = 0;
      while (i < n && parameters[i] == '\\') {
        ++slashes;
        ++i;
      }
      inArg = true;
      if (i < n && parameters[i] == '"') {
        current.append(slashes / 2, '\\');
        if (slashes % 2 == 1) {
          current += '"';
          ++i;
        }
      } else {
        current.append(slashes, '\\');
      }
      continue;
    }
    if (c == '"') {
      inArg = true;
      if (quoted && i + 1 < n && parameters[i + 1] == '"') {
        current += '"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    if ((c == ' ' || c == '\t') && !quoted) {
      if (inArg) {
        args.push_back(current);
        current.clear();
        inArg = false;
      }
      ++i;
      continue;
    }
    current += c;
    inArg = true;
    ++i;
  }
  if (inArg) args.push_back(current);
  return args;
}

}  // namespace os
