// Segment from the inventory item's short barcode; decoding also gives its name and class.
#pragma once

#include "quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsInventoryItemSource : public clsMasterDataItemSource {
 public:
  clsInventoryItemSource();
  ItemSourceType itemType() const override { return ISTInventory; }

 protected:
  // Refuses a record of another item than the one the info already names, then writes the
  // item's code, name, class code and class name.
  void WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const override;
};

}  // namespace quillstone
