// The behaviour most item sources share: a rule item needs only the common length check, an
// assignment needs no check, and Encode and Decode leave everything as it is until overridden.
#pragma once

#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

class clsCommonItemSource : public clsItemSource {
 public:
  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
