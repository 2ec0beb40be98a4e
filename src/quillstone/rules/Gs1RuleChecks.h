// Checks of a rule drawn in a GS1 symbology: every item fills one application identifier of the
// table, in a length and from a source that can give a valid value for it.
#pragma once

#include <cstddef>

namespace quillstone {

class clsBarCodeRule;

class Gs1RuleChecks {
 public:
  // Raises the library's error naming the item and its AI at the first fault.
  static void Check(const clsBarCodeRule& rule);
  // Raises the library's error when the longest element string the rule can make holds more
  // characters than one GS1-128 symbol carries; such a rule belongs in GS1 DataMatrix.
  static void CheckFitsGs1_128(const clsBarCodeRule& rule);
  // The raw form's length of the rule's longest element string, fields in registry order.
  static std::size_t LongestRawLength(const clsBarCodeRule& rule);
};

}  // namespace quillstone
