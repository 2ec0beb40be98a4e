// Segment holding the shelf life, in whole years, months or days as the rule item's relevant
// value ("年数", "月数", "天数") says.
#pragma once

#include <cstdint>
#include <string>

#include "src/quillstone/sources/FixedLength.h"
#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

// The segment's length is the rule item's; the source keeps none.
class clsMassDayItemSource : public FixedLength<clsItemSource> {
 public:
  ItemSourceType itemType() const override { return ISTMassDay; }

  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;

 private:
  // The shelf life in the rule item's unit, rounded down, as its last ruleItem.length digits.
  static std::string FormatShelfLife(int16_t days, const RuleItemPtr& ruleItem);
};

}  // namespace quillstone
