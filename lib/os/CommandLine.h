// Splitting a parameter string into arguments by the Windows command-line rules, so an
// installer's parameters mean the same on every platform.
#pragma once

#include <string>
#include <vector>

namespace os {

// Blanks and tabs separate arguments outside quotes; "..." groups; 2n backslashes before a
// quote give n backslashes and the quote toggles quoting; 2n+1 give n and a literal quote;
// backslashes elsewhere are literal; "" inside quotes gives a literal quote.
std::vector<std::string> SplitCommandLine(const std::string& parameters);

}  // namespace os
