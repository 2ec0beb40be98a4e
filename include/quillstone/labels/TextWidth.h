// Display width of UTF-8 text on a terminal: East Asian wide and full-width characters take two
// columns, combining marks none, everything else one.
#pragma once

#include <string>
#include <string_view>

namespace quillstone {

int DisplayWidth(std::string_view utf8);

// `text` followed by blanks up to `width` columns (unchanged when it is already as wide).
std::string PadRight(const std::string& text, int width);
std::string PadLeft(const std::string& text, int width);

}  // namespace quillstone
