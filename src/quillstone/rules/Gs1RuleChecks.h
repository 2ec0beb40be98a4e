// Checks of a rule drawn in a GS1 symbology: every item fills one application identifier of the
// table, in a length and from a source that can give a valid value for it.
#pragma once

namespace quillstone {

class clsBarCodeRule;

class Gs1RuleChecks {
 public:
  // Raises the library's error naming the item and its AI at the first fault.
  static void Check(const clsBarCodeRule& rule);
};

}  // namespace quillstone
