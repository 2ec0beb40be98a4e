#include "quillstone/gs1/Gs1AiTable.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillstone {
namespace {

#include "src/quillstone/gs1/Gs1AiRows.inc"

int CodeNumber(std::string_view code) {
  int n = 0;
  for (char c : code) n = n * 10 + (c - '0');
  return n;
}

// Flat lookups indexed by the AI's digits: the digit count for each two-digit start, and the
// table row (+1, 0 for none) of every 2-, 3- and 4-digit AI.
struct Index {
  std::array<uint8_t, 100> codeLength{};
  std::array<uint16_t, 100> row2{};
  std::array<uint16_t, 1000> row3{};
  std::array<uint16_t, 10000> row4{};

  Index() {
    static_assert(std::size(kTable) < 65535);
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
      const std::string_view code = kTable[i].code;
      codeLength[CodeNumber(code.substr(0, 2))] = static_cast<uint8_t>(code.size());
      const auto row = static_cast<uint16_t>(i + 1);
      if (code.size() == 2) row2[CodeNumber(code)] = row;
      if (code.size() == 3) row3[CodeNumber(code)] = row;
      if (code.size() == 4) row4[CodeNumber(code)] = row;
    }
  }
};

const Index& TheIndex() {
  static const Index index;
  return index;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::span<const Gs1Component> Gs1Ai::Components() const {
  return std::span<const Gs1Component>(kComponents).subspan(firstComponent, componentCount);
}

std::span<const Gs1Ai> Gs1AiTable::All() { return kTable; }

const Gs1Ai* Gs1AiTable::Find(std::string_view code) {
  if (code.size() < 2 || code.size() > 4 || !AllDigits(code)) return nullptr;
  const Index& index = TheIndex();
  const int n = CodeNumber(code);
  uint16_t row = 0;
  switch (code.size()) {
    case 2:
      row = index.row2[n];
      break;
    case 3:
      row = index.row3[n];
      break;
    default:
      row = index.row4[n];
      break;
  }
  return row == 0 ? nullptr : &kTable[row - 1];
}

int Gs1AiTable::CodeLength(char first, char second) {
  if (first < '0' || first > '9' || second < '0' || second > '9') return 0;
  return TheIndex().codeLength[(first - '0') * 10 + (second - '0')];
}

}  // namespace quillstone
