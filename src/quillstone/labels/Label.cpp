#include "quillstone/labels/Label.h"

#include <fmt/format.h>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// The text as a message can show it: control characters as \xNN.
std::string Visible(const std::string& text) {
  std::string out;
  for (unsigned char c : text) out += IsControl(c) ? fmt::format("\\x{:02X}", c) : std::string(1, static_cast<char>(c));
  return out;
}

void CheckText(const std::string& text) {
  for (unsigned char c : text) {
    if (IsControl(c))
      RaiseError(fmt::format("标签文字 '{}' 含有控制字符 U+{:04X}（如制表符、换行符），不能印在标签上",
                                 Visible(text), c));
  }
}

}  // namespace

void Label::CheckPrintable() const {
  CheckText(name);
  CheckText(barCode);
  CheckText(caption);
}

}  // namespace quillstone
