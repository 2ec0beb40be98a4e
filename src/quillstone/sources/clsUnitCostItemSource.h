// Segment holding the unit cost as a fixed-point number: the cost times 10^d written as digits,
// zero-filled on the left, where d, the rule item's relevant value, is the decimal places kept.
#pragma once

#include <cstdint>
#include <string>

#include "src/quillstone/sources/FixedLength.h"
#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

// The segment's length is the rule item's; the source keeps none.
class clsUnitCostItemSource : public FixedLength<clsItemSource> {
 public:
  ItemSourceType itemType() const override { return ISTUnitCost; }

  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;

 private:
  static std::string FormatUnitCost(double cost, const RuleItemPtr& ruleItem);
};

}  // namespace quillstone
