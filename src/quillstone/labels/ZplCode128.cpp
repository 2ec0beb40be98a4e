#include "src/quillstone/labels/ZplCode128.h"

#include <cctype>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

// The printer's invocation codes: ">;" start code C, ">:" start code B, ">5" to code set C, ">6"
// to code set B, ">8" FNC1. In code set B the characters that are also command prefixes or the
// invocation character are written by value: ">0" is '>' (30), "><" is '^' (62), ">=" is '~' (94).
constexpr const char* kStartC = ">;";
constexpr const char* kStartB = ">:";
constexpr const char* kToC = ">5";
constexpr const char* kToB = ">6";
constexpr const char* kFnc1 = ">8";

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::size_t DigitRun(const std::string& raw, std::size_t at) {
  std::size_t n = 0;
  while (at + n < raw.size() && IsDigit(raw[at + n])) ++n;
  return n;
}

// Code set C pays off from four digits on; an odd run leaves its first digit in code set B.
bool WorthCodeSetC(const std::string& raw, std::size_t at) {
  const std::size_t run = DigitRun(raw, at);
  return run >= 4 && run % 2 == 0;
}

std::string CodeSetB(char c) {
  if (c == '>') return ">0";
  if (c == '^') return "><";
  if (c == '~') return ">=";
  return std::string(1, c);
}

}  // namespace

ZplCode128::Data ZplCode128::ForText(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7E) RaiseError("Code 128 标签只印可见的 ASCII 字符；'" + text + "' 含有其它字符");
  return Write(text, false);
}

ZplCode128::Data ZplCode128::ForGs1(const Gs1ElementString& elements) { return Write(elements.ToRaw(), true); }

ZplCode128::Data ZplCode128::Write(const std::string& raw, bool gs1) {
  bool setC = WorthCodeSetC(raw, 0);
  Data out;
  out.data = setC ? kStartC : kStartB;
  auto emit = [&](const std::string& code) {
    out.data += code;
    ++out.codes;
  };
  if (gs1) emit(kFnc1);
  for (std::size_t at = 0; at < raw.size();) {
    const char c = raw[at];
    if (gs1 && c == Gs1ElementString::kGroupSeparator) {
      emit(kFnc1);
      ++at;
    } else if (setC && at + 1 < raw.size() && IsDigit(c) && IsDigit(raw[at + 1])) {
      emit(raw.substr(at, 2));
      at += 2;
    } else if (setC) {
      emit(kToB);
      setC = false;
    } else if (WorthCodeSetC(raw, at)) {
      emit(kToC);
      setC = true;
    } else {
      emit(CodeSetB(c));
      ++at;
    }
  }
  return out;
}

}  // namespace quillstone
