// Breaks a message into lines no wider than a limit, the way a message box lays out its text:
// at blanks where it can, inside a word only when the word alone is too wide. Line breaks in
// the text are kept, and so are the blanks a paragraph starts with.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gui::fltk {

using TextWidth = std::function<int(std::string_view)>;

std::vector<std::string> WrapText(const std::string& text, int maxWidth, const TextWidth& width);

}  // namespace gui::fltk
