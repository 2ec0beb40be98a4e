// The host's inventory record: the flags of one item that the barcode checks read.
#pragma once

#include <array>
#include <string>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class HostUserVO {
 public:
  std::string inventoryCode;
  Variant stopDate;          // blank text when the item is not stopped
  Variant barcodeManaged;    // read as Boolean
  Variant batchManaged;      // read as Boolean
  Variant shelfLifeManaged;  // read as Boolean
  Variant shelfLifeDays;
  std::string unitGroupCode;
  int32_t unitGroupType = 0;  // 0: a single unit without conversion rates
  std::array<Variant, 10> freeManaged;  // free items 1 to 10, read as Boolean

  // Managed flag of free item k (1 to 10).
  const Variant& FreeManaged(int k) const { return freeManaged.at(static_cast<std::size_t>(k - 1)); }
};

}  // namespace quillstone
