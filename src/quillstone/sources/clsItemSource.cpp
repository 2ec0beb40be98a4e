#include "quillstone/sources/clsItemSource.h"

#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void clsItemSource::InitSource(const std::shared_ptr<clsContext>& /*context*/) {}

bool clsItemSource::VerifyRuleItem(const RuleItemPtr& /*ruleItem*/) { return false; }

bool clsItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& /*inv*/, const RuleItemPtr& /*ruleItem*/) {
  return false;
}

bool clsItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                           const RuleItemPtr& /*ruleItem*/) {
  Assert(barCodeItem != nullptr, "bad parameter: barCodeItem");
  Assert(invInfo != nullptr, "bad parameter: invInfo");
  return false;
}

void clsItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& /*item*/) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  Assert(invInfo != nullptr, "bad parameter: invInfo");
}

void clsItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& /*item*/) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  Assert(invInfo != nullptr, "bad parameter: invInfo");
}

void clsItemSource::CommonLengthCheck(const RuleItemPtr& ruleItem) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  Assert(ruleItem->length() > 0, "条码规则项长度不能小于1");
  auto rule = ruleItem->objRule();
  Assert(rule != nullptr, "条码规则项不属于任何条码规则");
  Assert(ruleItem->length() <= rule->length(), "条码规则项长度不能大于条码总长度");
}

std::shared_ptr<clsContext> clsItemSource::context() const {
  auto context = context_.lock();
  Assert(context != nullptr, "条码项来源没有初始化");
  return context;
}

}  // namespace quillstone
