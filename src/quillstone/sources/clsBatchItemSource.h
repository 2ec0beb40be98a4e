// Segment holding the inventory info's batch number, for batch-managed items.
#pragma once

#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class clsBatchItemSource : public clsCommonItemSource {
 public:
  ItemSourceType itemType() const override { return ISTBatch; }

  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  // The batch number as text, neither padded nor cut: Verify judges its length.
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
