// Segment from the storage position's short barcode; decoding also gives the position's warehouse.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsPositionItemSource : public clsMasterDataItemSource {
 public:
  clsPositionItemSource();
  ItemSourceType itemType() const override { return ISTPosition; }

 protected:
  void WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const override;
};

}  // namespace quillstone
