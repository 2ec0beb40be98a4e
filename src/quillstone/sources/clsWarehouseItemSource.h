// Segment from the warehouse's short barcode; an unknown warehouse encodes an empty segment.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsWarehouseItemSource : public clsMasterDataItemSource {
 public:
  clsWarehouseItemSource();
  ItemSourceType itemType() const override { return ISTWarehouse; }
};

}  // namespace quillstone
