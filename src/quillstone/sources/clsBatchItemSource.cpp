#include "src/quillstone/sources/clsBatchItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool clsBatchItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  Assert(inv != nullptr, "bad parameter: inv");
  Assert(inv->batchManaged.toBool(), "规则要求存货必须是批次管理的，但该存货并非批次管理.");
  return true;
}

bool clsBatchItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& value = barCodeItem->value();
  const std::string prefix = "批号的长度与条码规则中规定的长度不一致，要求长度为  ";
  int n = AnsiLength(value);
  if (!CheckVariableFieldLength(value, *ruleItem, prefix) && n != ruleItem->length())
    RaiseError(prefix + std::to_string(ruleItem->length()) + ",实际长度为 " + std::to_string(n));
  // A text compared with a variant is a text comparison; a Null batch number is never different.
  const Variant& batchNo = invInfo->batchNo();
  if (!batchNo.isNull()) CheckSegmentValue(value, batchNo.toString(), "批号与条码值不一致，要求条码值'");
  return true;
}

void clsBatchItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue(invInfo->batchNo().toString());
}

void clsBatchItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  invInfo->setBatchNo(Variant(barCodeItem->value()));
}

}  // namespace quillstone
