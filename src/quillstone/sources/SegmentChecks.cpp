#include "src/quillstone/sources/SegmentChecks.h"

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void RequireSegmentArguments(const std::shared_ptr<clsInventoryInfo>& invInfo,
                             const std::shared_ptr<clsBarCodeRuleItem>& ruleItem,
                             const std::shared_ptr<clsBarCodeItem>& barCodeItem) {
  Assert(ruleItem != nullptr, "bad parameter: ruleItem");
  Assert(barCodeItem != nullptr, "bad parameter: barCodeItem");
  Assert(invInfo != nullptr, "bad parameter: invInfo");
}

const std::shared_ptr<clsBarCodeRuleItem>& GoverningRuleItem(const std::shared_ptr<clsBarCodeItem>& barCodeItem,
                                                             const std::shared_ptr<clsBarCodeRuleItem>& ruleItem) {
  return barCodeItem->ruleItem() ? barCodeItem->ruleItem() : ruleItem;
}

void CheckShelfLifeManaged(const std::shared_ptr<HostUserVO>& inv) {
  Assert(inv != nullptr, "bad parameter: inv");
  Assert(inv->shelfLifeManaged.toBool(), "规则要求存货必须是保质期管理的，但该存货并非保质期管理.");
}

void CheckTrimmedSegmentLength(const std::string& value, int16_t required, const std::string& prefix) {
  if (AnsiLength(Trim(value)) != required)
    RaiseError(prefix + std::to_string(required) + ",实际长度为 " + std::to_string(AnsiLength(value)));
}

void CheckSegmentLength(const std::string& value, int16_t required, const std::string& prefix) {
  int n = AnsiLength(value);
  if (n != required) RaiseError(prefix + std::to_string(required) + " ，实际长度 " + std::to_string(n));
}

bool CheckVariableFieldLength(const std::string& value, const clsBarCodeRuleItem& item, const std::string& prefix) {
  if (!Gs1BarCodeText::VariableLength(item)) return false;
  const int n = AnsiLength(Trim(value));
  if (n < 1 || n > item.length())
    RaiseError(prefix + "1-" + std::to_string(item.length()) + ",实际长度为 " + std::to_string(n));
  return true;
}

std::string LengthPrefix(const std::string& name) { return name + "的条码长度与条码规则中规定的长度不一致，要求长度 "; }

void CheckSegmentValue(const std::string& value, const std::string& expected, const std::string& prefix) {
  if (value != expected) RaiseError(prefix + expected + "'，但实际条码值为 '" + value + "'");
}

}  // namespace quillstone
