// Segment holding a sequence number: shows the rule item's current number while encoding; the
// number is drawn for good only when a barcode is registered.
#pragma once

#include "src/quillstone/sources/FixedLength.h"
#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

// The width comes from each rule item, so the source has no length of its own.
class clsSequenceItemSource : public FixedLength<clsItemSource> {
 public:
  ItemSourceType itemType() const override { return ISTSequence; }

  void InitSource(const std::shared_ptr<clsContext>& context) override;
  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
