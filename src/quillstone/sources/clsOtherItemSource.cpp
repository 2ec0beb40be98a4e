#include "src/quillstone/sources/clsOtherItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"

namespace quillstone {

bool clsOtherItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const char* const prefix = "其它项的条码长度与条码规则中规定的长度不一致，要求长度为 ";
  if (!CheckVariableFieldLength(barCodeItem->value(), *ruleItem, prefix))
    CheckTrimmedSegmentLength(barCodeItem->value(), ruleItem->length(), prefix);
  return true;
}

}  // namespace quillstone
