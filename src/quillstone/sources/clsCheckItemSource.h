// Check segment: a position the caller may fill; left blank it gets the constant 1, zero-padded.
// No check digit is computed.
#pragma once

#include "src/quillstone/sources/FixedLength.h"
#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class clsCheckItemSource : public FixedLength<clsCommonItemSource, 1> {
 public:
  ItemSourceType itemType() const override { return ISTCheck; }

  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
