#include "src/quillstone/sources/clsFixedItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool clsFixedItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  Assert(AnsiLength(ruleItem->relevantValue()) == ruleItem->length(),
         "固定项的相关值是固定项的值，其长度必须等于固定项定义的长度");
  return true;
}

bool clsFixedItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  if (barCodeItem->value() != ruleItem->relevantValue())
    RaiseError("固定项的条码值与条码规则中规定固定项的值不一致，要求值为 " + ruleItem->relevantValue() + ",实际值为 " +
               barCodeItem->value());
  return true;
}

void clsFixedItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue(ruleItem->relevantValue());
}

}  // namespace quillstone
