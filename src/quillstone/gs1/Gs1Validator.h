// Checks one value against its AI as GS1's dictionary describes it: length, then each component's
// character set and content checks. Raises the first fault with a message naming the AI.
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
  // The two check characters GS1 appends to an alphanumeric key (GMN, MUDI); empty when a
  // character is outside the 82-character set.
  static std::string_view CheckCharactersFor(std::string_view data, char (&out)[2]);
  static bool InCharset82(char c);
};

}  // namespace quillstone
