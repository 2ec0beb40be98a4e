// Segment of characters supplied by the caller: encoding leaves them as they are and Verify
// checks only their length.
#pragma once

#include "src/quillstone/sources/FixedLength.h"
#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class clsOtherItemSource : public FixedLength<clsCommonItemSource> {
 public:
  ItemSourceType itemType() const override { return ISTOther; }

  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
};

}  // namespace quillstone
