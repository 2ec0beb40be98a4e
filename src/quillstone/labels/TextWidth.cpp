#include "quillstone/labels/TextWidth.h"

#include <iterator>

namespace quillstone {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// East Asian Wide (W) and Fullwidth (F) blocks, the ones a terminal draws two columns wide.
constexpr Range kWide[] = {
    {0x1100, 0x115F}, {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x2E80, 0x303E},
    {0x3041, 0x33FF}, {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},
    {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks and zero-width characters that take no column of their own.
constexpr Range kZero[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x200B, 0x200F},
    {0x20D0, 0x20FF}, {0x302A, 0x302D}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

bool InRanges(char32_t c, const Range* begin, const Range* end) {
  for (const Range* r = begin; r != end; ++r)
    if (c >= r->first && c <= r->last) return true;
  return false;
}

int CodePointWidth(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return 0;
  if (InRanges(c, std::begin(kZero), std::end(kZero))) return 0;
  if (InRanges(c, std::begin(kWide), std::end(kWide))) return 2;
  return 1;
}

// Decodes one code point at `i` and advances past it; a byte that starts no valid sequence counts
// as one character of its own, so broken text still lines up roughly.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  const std::size_t extra = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 0;
  if (extra == 0 || i + extra >= s.size()) {
    ++i;
    return U'?';
  }
  char32_t c = lead & (0x3F >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return U'?';
    }
    c = (c << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return c;
}

}  // namespace

int DisplayWidth(std::string_view utf8) {
  int width = 0;
  for (std::size_t i = 0; i < utf8.size();) width += CodePointWidth(NextCodePoint(utf8, i));
  return width;
}

std::string PadRight(const std::string& text, int width) {
  const int missing = width - DisplayWidth(text);
  return missing > 0 ? text + std::string(static_cast<std::size_t>(missing), ' ') : text;
}

std::string PadLeft(const std::string& text, int width) {
  const int missing = width - DisplayWidth(text);
  return missing > 0 ? std::string(static_cast<std::size_t>(missing), ' ') + text : text;
}

}  // namespace quillstone
