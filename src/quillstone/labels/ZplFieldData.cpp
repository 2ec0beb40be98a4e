#include "src/quillstone/labels/ZplFieldData.h"

#include <fmt/format.h>

#include <algorithm>

#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

std::string DataMatrixEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == ZplFieldData::kDataMatrixEscape) out += c;
  }
  return out;
}

}  // namespace

std::string ZplFieldData::Field(const std::string& data) {
  std::string out = fmt::format("^FH{}^FD", kHexIndicator);
  for (unsigned char c : data) {
    if (c == '^' || c == '~' || c == kHexIndicator || c < 0x20 || c == 0x7F)
      out += fmt::format("{}{:02X}", kHexIndicator, c);
    else
      out += static_cast<char>(c);
  }
  return out;
}

std::string ZplFieldData::Text(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '\\') out += c;
  }
  return Field(out);
}

std::string ZplFieldData::DataMatrix(const std::string& text) {
  const std::string eci = IsAscii(text) ? "" : std::string(1, kDataMatrixEscape) + "5026";
  return Field(eci + DataMatrixEscaped(text));
}

std::string ZplFieldData::Gs1DataMatrix(const Gs1ElementString& elements) {
  // No GS1 value holds a '#': it is outside GS1's character set.
  const std::string fnc1{kDataMatrixEscape, '1'};
  std::string out = fnc1;
  for (char c : elements.ToRaw()) out += c == Gs1ElementString::kGroupSeparator ? fnc1 : std::string(1, c);
  return Field(out);
}

std::string ZplFieldData::QrCode(const std::string& text) {
  if (IsAscii(text)) return Field("MA," + text);
  return Field(fmt::format("MM,B{:04}", text.size()) + text);
}

}  // namespace quillstone
