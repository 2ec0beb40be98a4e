// Segment from the vendor's short barcode.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsVendorItemSource : public clsMasterDataItemSource {
 public:
  clsVendorItemSource();
  ItemSourceType itemType() const override { return ISTVendor; }
};

}  // namespace quillstone
