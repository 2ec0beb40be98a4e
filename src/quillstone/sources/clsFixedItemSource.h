// Segment holding the rule item's fixed text, the same in every barcode of the rule.
#pragma once

#include "src/quillstone/sources/FixedLength.h"
#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

// The segment's length is the rule item's; the source keeps none.
class clsFixedItemSource : public FixedLength<clsCommonItemSource> {
 public:
  ItemSourceType itemType() const override { return ISTFixed; }

  // Also demands a relevant value of exactly the item's length.
  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
