#include "cli/ZplGs1Data.h"

#include <cctype>

#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone::cli {
namespace {

// Code 128 as ZPL spells it: ">;" start code C, ">:" start code B, ">5" to code set C, ">6" to
// code set B, ">8" FNC1, "><" the '>' itself.
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

}  // namespace

ZplGs1Data::Code128 ZplGs1Data::ForCode128(const Gs1ElementString& elements) {
  const std::string raw = elements.ToRaw();
  bool setC = WorthCodeSetC(raw, 0);
  Code128 out;
  out.data = setC ? kStartC : kStartB;
  auto emit = [&](const std::string& code) {
    out.data += code;
    ++out.codes;
  };
  emit(kFnc1);
  for (std::size_t at = 0; at < raw.size();) {
    const char c = raw[at];
    if (c == Gs1ElementString::kGroupSeparator) {
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
      emit(c == '>' ? std::string("><") : std::string(1, c));
      ++at;
    }
  }
  return out;
}

std::string ZplGs1Data::ForDataMatrix(const Gs1ElementString& elements) {
  const std::string fnc1{kDataMatrixEscape, '1'};
  std::string out = fnc1;
  for (char c : elements.ToRaw()) out += c == Gs1ElementString::kGroupSeparator ? fnc1 : std::string(1, c);
  return out;
}

}  // namespace quillstone::cli
