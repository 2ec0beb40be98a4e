// Segment holding the expiry date.
#pragma once

#include "src/quillstone/sources/clsDateItemSource.h"

namespace quillstone {

class clsDisableDateItemSource : public clsDateItemSource {
 public:
  clsDisableDateItemSource();
  ItemSourceType itemType() const override { return ISTDisableDate; }
};

}  // namespace quillstone
