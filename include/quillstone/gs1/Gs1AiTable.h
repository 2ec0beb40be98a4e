// The application identifiers this library knows, as data, and the lookups the parsers make on
// them: by the AI's digits, and how many digits an AI has from its first two.
#pragma once

#include <span>
#include <string_view>

#include "quillstone/gs1/Gs1Ai.h"

namespace quillstone {

class Gs1AiTable {
 public:
  // Every AI, in the order of its digits.
  static std::span<const Gs1Ai> All();
  // The AI with exactly these digits, or nothing.
  static const Gs1Ai* Find(std::string_view code);
  // The number of digits of the AIs that start with `first` and `second` (digits '0'-'9'); 0
  // when the table has no AI starting so.
  static int CodeLength(char first, char second);
};

}  // namespace quillstone
