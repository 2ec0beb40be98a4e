#include "cli/TerminalText.h"

#include <cstdio>

namespace quillstone::cli {
namespace {

std::string Hex(const char* prefix, unsigned char c) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "%s%02X", prefix, c);
  return buf;
}

// Bytes of the well-formed UTF-8 character at `i`; 0 when there is none.
std::size_t CharLength(const std::string& s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  std::size_t n = c < 0x80                 ? 1
                  : c >= 0xC2 && c <= 0xDF ? 2
                  : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4
                                           : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string TerminalText::Escaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = CharLength(text, i);
    if (n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      out += Hex("\\u00", static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else if (n == 0 || c < 0x20 || c == 0x7F) {
      out += c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : Hex("\\x", c);
      ++i;
    } else {
      out.append(text, i, n);
      i += n;
    }
  }
  return out;
}

std::string TerminalText::Message(const std::string& text) {
  const std::string escaped = Escaped(text);
  std::size_t chars = 0, cut = escaped.size();
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if ((static_cast<unsigned char>(escaped[i]) & 0xC0) == 0x80) continue;
    if (chars++ == kMessageLimit) cut = i;
  }
  if (cut == escaped.size()) return escaped;
  return escaped.substr(0, cut) + "… (" + std::to_string(chars) + " characters)";
}

}  // namespace quillstone::cli
