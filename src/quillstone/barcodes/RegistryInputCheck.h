// The texts a registration stores, checked before anything is drawn or written: the barcode and
// its segments (which must be characters of the code page, and digits for EAN-13), the item's
// codes and names, and the properties its segments carry, each within its registry column.
#pragma once

#include <string>

namespace quillstone {

class clsBarCode;
class clsBarCodeRule;
class clsInventoryInfo;

class RegistryInputCheck {
 public:
  // Raises the library's error naming the first value that cannot be stored as it is.
  static void Check(const clsInventoryInfo& invInfo, const clsBarCode& barCode);
  // A barcode of a rule whose symbology (named by its catalogue name) takes digits only, and the
  // fields of a GS1 rule's barcode, each of which its AI must accept.
  static void CheckSymbology(const clsBarCodeRule& rule, const clsBarCode& barCode);
};

}  // namespace quillstone
