// Segment holding the production date.
#pragma once

#include "src/quillstone/sources/clsDateItemSource.h"

namespace quillstone {

class clsMadeDateItemSource : public clsDateItemSource {
 public:
  clsMadeDateItemSource();
  ItemSourceType itemType() const override { return ISTMadeDate; }
};

}  // namespace quillstone
