#include "src/quillstone/sources/clsCheckItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool clsCheckItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  CheckTrimmedSegmentLength(barCodeItem->value(), ruleItem->length(),
                            "校验项的长度与条码规则中规定的长度不一致，要求长度为  ");
  return true;
}

void clsCheckItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  if (Trim(barCodeItem->value()).empty()) barCodeItem->setValue(PadToWidth("1", ruleItem->length(), "0"));
}

}  // namespace quillstone
