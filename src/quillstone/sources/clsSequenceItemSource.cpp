#include "src/quillstone/sources/clsSequenceItemSource.h"

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/sources/clsSequence.h"
#include "quillstone/sources/clsSequenceManager.h"

namespace quillstone {

void clsSequenceItemSource::InitSource(const std::shared_ptr<clsContext>& context) { context_ = context; }

bool clsSequenceItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  // A wider number no longer survives the floating-point overflow check of a draw.
  Assert(ruleItem->length() >= 1 && ruleItem->length() <= 18, "条码规则项长度必须大于0且小于等于18");
  CommonLengthCheck(ruleItem);
  Assert(AnsiLength(ruleItem->relevantValue()) == ruleItem->length(),
         "流水项的相关值是流水项的当前起始值，其长度必须等于流水项定义的长度");
  return true;
}

bool clsSequenceItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& /*inv*/, const RuleItemPtr& /*ruleItem*/) {
  return true;
}

bool clsSequenceItemSource::Verify(const InventoryInfoPtr& /*invInfo*/, const BarCodeItemPtr& barCodeItem,
                                   const RuleItemPtr& ruleItem) {
  Assert(barCodeItem != nullptr, "bad parameter: barCodeItem");
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  if (AnsiLength(Trim(barCodeItem->value())) != ruleItem->length())
    RaiseError("流水项的条码长度与条码规则中规定的长度不一致，要求长度 " + std::to_string(ruleItem->length()) +
               " ，实际长度 " + std::to_string(AnsiLength(barCodeItem->value())));
  return true;
}

void clsSequenceItemSource::Encode(const InventoryInfoPtr& /*invInfo*/, const RuleItemPtr& ruleItem,
                                   BarCodeItemPtr& barCodeItem) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  Assert(barCodeItem != nullptr, "bad parameter: barCodeItem");
  auto rule = ruleItem->objRule();
  Assert(rule != nullptr, "条码规则项不属于任何条码规则");
  auto manager = context()->objSequenceManager();
  Assert(manager != nullptr, "流水号管理器没有初始化");
  auto sequence = manager->LoadSequence(rule->ruleId(), ruleItem->index());
  // Only shown: the advanced value is not saved, so encoding again shows the same number until a
  // registration draws one for the placeholder.
  if (Trim(barCodeItem->value()).empty()) barCodeItem->setPlaceholderValue(manager->GetSequenceNumber(sequence));
}

void clsSequenceItemSource::Decode(InventoryInfoPtr& /*invInfo*/, const RuleItemPtr& /*ruleItem*/,
                                   BarCodeItemPtr& /*barCodeItem*/) {}

}  // namespace quillstone
