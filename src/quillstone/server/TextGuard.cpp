#include "src/quillstone/server/TextGuard.h"

#include <algorithm>
#include <cstdio>

#include "quillstone/platform/Ansi.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// Bytes of the well-formed UTF-8 character at `i`, or 0 when the bytes there are not one
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t CharLength(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  std::size_t n = 0;
  unsigned lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

std::string HexEscape(unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", c);
  return buf;
}

std::string Quoted(const std::string& role, const std::string& text) {
  return role + "'" + TextGuard::Echo(text) + "'";
}

}  // namespace

bool TextGuard::IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::size_t TextGuard::CharCount(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const std::size_t n = CharLength(text, i);
    i += n == 0 ? 1 : n;
  }
  return count;
}

std::string TextGuard::FirstForeignChar(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLength(text, i);
    if (n == 0) return text.substr(i, 1);
    if (n > 1) {
      const std::string ch = text.substr(i, n);
      // The code page writes a character it has no bytes for as "?".
      if (FromAnsi(ToAnsi(ch)) != ch) return ch;
    }
    i += n;
  }
  return "";
}

void TextGuard::RequireStorable(const std::string& text, const std::string& role) {
  if (text.find('\0') != std::string::npos) RaiseError(Quoted(role, text) + "含有空字符(NUL)，不能保存");
  if (!IsValidUtf8(text)) RaiseError(Quoted(role, text) + "不是有效的UTF-8文本");
}

void TextGuard::RequireFits(const std::string& text, const std::string& role, std::size_t maxChars) {
  RequireStorable(text, role);
  const std::size_t count = CharCount(text);
  if (maxChars > 0 && count > maxChars) {
    RaiseError(Quoted(role, text) + "的长度为" + std::to_string(count) + "个字符，超过了最大长度" +
               std::to_string(maxChars));
  }
}

void TextGuard::RequireCodeText(const std::string& text, const std::string& role, std::size_t maxChars) {
  RequireFits(text, role, maxChars);
  const std::string foreign = FirstForeignChar(text);
  if (!foreign.empty()) {
    RaiseError(Quoted(role, text) + "含有代码页" + AnsiCodePage() + "不能表示的字符'" + foreign + "'");
  }
}

void TextGuard::RequireCode(const std::string& text, const std::string& role, std::size_t maxChars) {
  RequireCodeText(text, role, maxChars);
  for (std::size_t i = 0; i < text.size(); i += std::max<std::size_t>(1, CharLength(text, i))) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (c < 0x20 || c == 0x7F || c1) RaiseError(Quoted(role, text) + "含有控制字符，不能保存");
  }
}

std::string TextGuard::Echo(const std::string& text) {
  std::string out;
  std::size_t shown = 0;
  for (std::size_t i = 0; i < text.size(); ++shown) {
    if (shown == kEchoLimit) return out + "…";
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t n = CharLength(text, i);
    // C1 controls (U+0080..U+009F) act on a terminal as escape sequences do.
    const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (c1) {
      out += "\\u00" + HexEscape(static_cast<unsigned char>(text[i + 1])).substr(2);
      i += 2;
      continue;
    }
    if (n == 0 || c < 0x20 || c == 0x7F) {
      if (c == '\n')
        out += "\\n";
      else if (c == '\t')
        out += "\\t";
      else if (c == '\r')
        out += "\\r";
      else
        out += HexEscape(c);
      ++i;
      continue;
    }
    out.append(text, i, n);
    i += n;
  }
  return out;
}

std::string TextGuard::Bounded(const std::string& message) {
  if (message.size() <= kMessageLimit) return message;  // bytes >= characters
  std::size_t chars = 0, cut = message.size();
  for (std::size_t i = 0; i < message.size();) {
    if (chars++ == kMessageLimit) cut = i;
    const std::size_t n = CharLength(message, i);
    i += n == 0 ? 1 : n;
  }
  if (cut == message.size()) return message;
  return message.substr(0, cut) + "…(共" + std::to_string(chars) + "个字符)";
}

}  // namespace quillstone
