// The install descriptor: a small text file per product, in code page 949.
//
// Line 0 is the proposed install folder, line 1 the installer's parameters, lines 2 to 6 the
// information lines of the window; later lines are not used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace setup {

// Code page 949 to UTF-8. A byte sequence that is not valid code page 949 becomes U+FFFD,
// so a damaged descriptor still shows what it can.
std::string DecodeCp949(std::string_view bytes);

// Splits text into lines: LF, CR and CR LF each end a line (LF then CR is two breaks); a final
// line break does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// The descriptor's lines as the window reads them: the text ends at the first zero byte, is
// decoded from code page 949 and split into the file's own lines.
std::vector<std::string> ReadDescriptor(std::string_view fileBytes);

}  // namespace setup
