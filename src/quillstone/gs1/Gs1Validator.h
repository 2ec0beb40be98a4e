// Checks one value against its AI: length, character set, check digit and dates. Raises the
// first fault with a message naming the AI.
#pragma once

#include <string_view>

#include "quillstone/gs1/Gs1Ai.h"

namespace quillstone {

class Gs1Validator {
 public:
  // `thisYear` is the year two-digit years are read around.
  static void Check(const Gs1Ai& ai, std::string_view value, int thisYear);
  // The check digit the data digits before the last one call for (modulo 10, weights 3 and 1
  // alternating from the rightmost data digit).
  static int CheckDigitFor(std::string_view dataDigits);
  static bool InCharset82(char c);
};

}  // namespace quillstone
