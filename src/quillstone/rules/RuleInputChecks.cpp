#include "src/quillstone/rules/RuleInputChecks.h"

#include <cctype>

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/model/SegmentKind.h"
#include "quillstone/model/Symbology.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "src/quillstone/rules/Gs1RuleChecks.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/server/schema/ColumnSizes.h"

namespace quillstone {
namespace {

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string ItemRole(int position) { return "第" + std::to_string(position) + "个规则项的相关值"; }

void CheckEan13(const clsBarCodeRule& rule) {
  if (rule.length() != 12 && rule.length() != 13) {
    RaiseError("EAN-13条码规则的长度必须是12或13位数字，规则'" + TextGuard::Echo(rule.ruleId()) + "'的长度为" +
               std::to_string(rule.length()));
  }
  int position = 0;
  for (const auto& item : *rule.ruleItems()) {
    ++position;
    // Fixed text is known now; the other segments are digits by their format or are checked
    // when a barcode is registered.
    if (item->itemType() == ISTFixed && !AllDigits(item->relevantValue())) {
      RaiseError("EAN-13条码规则只能含有数字，" + ItemRole(position) + "'" + TextGuard::Echo(item->relevantValue()) +
                 "'不是数字");
    }
    if (item->itemType() == ISTOther) RaiseError("EAN-13条码规则只能含有数字，不能含有其他项");
  }
}

// A batch or free-item segment longer than the registry column its value is kept in: every
// barcode with a value that long would be refused at registration.
void CheckStoredLength(const clsBarCodeRuleItem& item, int position) {
  const bool callersText = item.itemType() == ISTBatch || (item.itemType() >= ISTFree1 && item.itemType() <= ISTFree10);
  const SegmentKind* kind = SegmentKind::Of(item.itemType());
  if (!callersText || kind == nullptr) return;
  const std::size_t column = ColumnSizes::OfProperty(kind->registryColumn);
  if (item.length() <= 0 || static_cast<std::size_t>(item.length()) <= column) return;
  RaiseError("第" + std::to_string(position) + "个规则项(" + kind->role + ")的长度为" + std::to_string(item.length()) +
             "，超过了条码登记表中该列的最大长度" + std::to_string(column));
}

}  // namespace

void RuleInputChecks::CheckTexts(const clsBarCodeRule& rule) {
  TextGuard::RequireCode(rule.ruleId(), "规则编码", ColumnSizes::kRuleId);
  TextGuard::RequireFits(rule.ruleName(), "规则名称", ColumnSizes::kRuleName);
  TextGuard::RequireFits(rule.barCodeType(), "条码类型", ColumnSizes::kBarCodeType);
  TextGuard::RequireFits(rule.description(), "规则说明", ColumnSizes::kDescription);
  int position = 0;
  for (const auto& item : *rule.ruleItems()) {
    ++position;
    if (item == nullptr) continue;
    TextGuard::RequireCodeText(item->relevantValue(), ItemRole(position), ColumnSizes::kRelevantValue);
    TextGuard::RequireFits(item->ai(), "第" + std::to_string(position) + "个规则项的应用标识符", ColumnSizes::kAi);
  }
}

void RuleInputChecks::CheckShape(const clsBarCodeRule& rule, const std::vector<clsBarCodeType>& types) {
  if (!Trim(rule.barCodeType()).empty() && Symbology::CatalogueRow(rule.barCodeType(), types) == nullptr) {
    RaiseError("条码类型'" + TextGuard::Echo(rule.barCodeType()) + "'不存在，请使用条码类型表中的类型");
  }
  if (IsEan13(rule.barCodeType(), types)) CheckEan13(rule);
  if (IsGs1(rule.barCodeType(), types)) {
    Gs1RuleChecks::Check(rule);
  } else if (Gs1BarCodeText::IsGs1(rule)) {
    // An AI makes the barcode an element string, which only a GS1 symbology carries.
    RaiseError("只有GS1条码类型(GS1-128、GS1 DataMatrix、GS1 QR Code)的条码规则才能为规则项指定应用标识符，规则'" +
               TextGuard::Echo(rule.ruleId()) + "'的条码类型为'" + TextGuard::Echo(rule.barCodeType()) + "'");
  }
  int position = 0;
  for (const auto& item : *rule.ruleItems()) {
    ++position;
    CheckStoredLength(*item, position);
    if (item->itemType() == ISTSequence && !AllDigits(item->relevantValue())) {
      RaiseError("流水项的起始值只能由数字组成，" + ItemRole(position) + "为'" +
                 TextGuard::Echo(item->relevantValue()) + "'");
    }
  }
}

void RuleInputChecks::CheckAssignTexts(const clsRuleAssign& assign) {
  TextGuard::RequireCode(assign.assignId(), "规则分配编码", ColumnSizes::kAssignId);
  TextGuard::RequireCode(assign.ruleId(), "规则编码", ColumnSizes::kRuleId);
  if (const auto* toItem = dynamic_cast<const clsInventoryAssign*>(&assign)) {
    TextGuard::RequireCodeText(toItem->inventoryId(), "存货编码", ColumnSizes::kAssignInvId);
  } else if (const auto* toClass = dynamic_cast<const clsInventoryClassAssign*>(&assign)) {
    TextGuard::RequireCodeText(toClass->invClassId(), "存货分类编码", ColumnSizes::kAssignClassId);
  }
}

bool RuleInputChecks::IsEan13(const std::string& barCodeType, const std::vector<clsBarCodeType>& types) {
  const auto symbology = Symbology::FindRuleType(barCodeType, types);
  return symbology && symbology->kind() == Symbology::Kind::Ean13;
}

bool RuleInputChecks::IsGs1(const std::string& barCodeType, const std::vector<clsBarCodeType>& types) {
  const auto symbology = Symbology::FindRuleType(barCodeType, types);
  return symbology && symbology->gs1();
}

}  // namespace quillstone
