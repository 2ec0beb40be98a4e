// Segment from the inventory class's short barcode.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsInvClassItemSource : public clsMasterDataItemSource {
 public:
  clsInvClassItemSource();
  ItemSourceType itemType() const override { return ISTInventoryClass; }

 protected:
  // Writes the class code and the class name.
  void WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const override;
};

}  // namespace quillstone
