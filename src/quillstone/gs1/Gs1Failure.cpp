#include "src/quillstone/gs1/Gs1Failure.h"

#include <cstdio>

#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

// Enough to recognise a label's data; a hostile text is not echoed whole.
constexpr std::size_t kShownBytes = 100;

}  // namespace

std::string Gs1Failure::Shown(std::string_view value) {
  std::string out = "'";
  const std::size_t end = value.size() > kShownBytes ? kShownBytes : value.size();
  for (std::size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c == 0x1d) {
      out += "<GS>";
    } else if (c < 0x20 || c == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (end < value.size()) {
    // Cut at a character boundary so the message stays valid UTF-8.
    while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
    if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
    out += "...";
  }
  return out + "'";
}

std::string Gs1Failure::Named(const Gs1Ai& ai) { return "AI(" + std::string(ai.code) + ") " + std::string(ai.title); }

void Gs1Failure::Raise(const std::string& description) { throw Error(Error::kLibraryNumber, "Error", description); }

void Gs1Failure::UnknownAi(std::string_view code) {
  Raise("未知的GS1应用标识符AI(" + std::string(code) + ")，无法读取其后的数据");
}

void Gs1Failure::WrongLength(const Gs1Ai& ai, std::string_view value) {
  const std::string wanted = ai.fixedLength()
                                 ? std::to_string(ai.maxLength) + "位"
                                 : std::to_string(ai.minLength) + "到" + std::to_string(ai.maxLength) + "位";
  Raise(Named(ai) + "的长度应为" + wanted + "，" + Shown(value) + "为" + std::to_string(value.size()) + "位");
}

void Gs1Failure::NotDigit(const Gs1Ai& ai, std::string_view value, std::string_view bad) {
  Raise(Named(ai) + "只能是数字，" + Shown(value) + "中的" + Shown(bad) + "不是数字");
}

void Gs1Failure::OutsideCharset(const Gs1Ai& ai, std::string_view value, std::string_view bad) {
  Raise(Named(ai) + "的值" + Shown(value) + "中的" + Shown(bad) + "不在GS1的82个字符之内");
}

void Gs1Failure::WrongCheckDigit(const Gs1Ai& ai, std::string_view value, int expected) {
  Raise(Named(ai) + "的校验位错误：" + Shown(value) + "的最后一位应为" + std::to_string(expected));
}

void Gs1Failure::BadDate(const Gs1Ai& ai, std::string_view value, const std::string& why) {
  Raise(Named(ai) + "的日期" + Shown(value) + "不存在：" + why);
}

void Gs1Failure::BadTime(const Gs1Ai& ai, std::string_view value, const std::string& why) {
  Raise(Named(ai) + "的时间" + Shown(value) + "不存在：" + why);
}

void Gs1Failure::Repeated(const Gs1Ai& ai, std::string_view first, std::string_view second) {
  Raise(Named(ai) + "出现了两次且值不同：" + Shown(first) + "和" + Shown(second));
}

void Gs1Failure::Trailing(std::string_view rest) { Raise("GS1数据中的" + Shown(rest) + "不属于任何字段"); }

}  // namespace quillstone
