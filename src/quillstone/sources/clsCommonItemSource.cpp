#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

bool clsCommonItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  return true;
}

bool clsCommonItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& /*inv*/, const RuleItemPtr& /*ruleItem*/) {
  return true;
}

void clsCommonItemSource::Encode(const InventoryInfoPtr& /*invInfo*/, const RuleItemPtr& /*ruleItem*/,
                                 BarCodeItemPtr& /*barCodeItem*/) {}

void clsCommonItemSource::Decode(InventoryInfoPtr& /*invInfo*/, const RuleItemPtr& /*ruleItem*/,
                                 BarCodeItemPtr& /*barCodeItem*/) {}

}  // namespace quillstone
