// Registration: storing barcodes in the registry, table InventoryBarCodeSet.
#include <set>
#include <vector>

#include "BarCodeSegments.h"
#include "RegistryDate.h"
#include "RegistryInputCheck.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/FirstRow.h"
#include "quillstone/platform/Transaction.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/RightsBracket.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"
#include "quillstone/sources/clsSequenceManager.h"

namespace quillstone {
namespace {

const char* const kRight = "ST050302";
const char* const kNoInvInfo = "参数invInfo不能为空";
const char* const kNoBarCode = "参数barcode不能为空";
const char* const kNoAssign = "参数assign不能为空";
const char* const kRuleMismatch = "规则分配对应的条码规则和生成条码的条码规则不一致";
const char* const kCannotLoadRule = "Cannot load rule,ruleId=";
const char* const kVerifyFailed = "条形码校验不能通过。";

void RequireArguments(const std::shared_ptr<clsInventoryInfo>& invInfo, const std::shared_ptr<clsBarCode>& barCode,
                      const std::shared_ptr<clsRuleAssign>& assign) {
  if (invInfo == nullptr) RaiseError(kNoInvInfo);
  if (barCode == nullptr) RaiseError(kNoBarCode);
  if (assign == nullptr) RaiseError(kNoAssign);
  if (assign->ruleId() != barCode->ruleId()) RaiseError(kRuleMismatch);
  RegistryInputCheck::Check(*invInfo, *barCode);
}

// Segment i must belong to rule item i: a barcode made for another version of the rule, or
// put together by hand, would otherwise be stored under a rule that cannot decode it.
void RequireSegmentsOfRule(const clsBarCodeRule& rule, const clsBarCode& barCode) {
  const RuleItemCollection& ruleItems = *rule.ruleItems();
  const BarCodeItemCollection& segments = *barCode.items();
  if (segments.Count() != ruleItems.Count()) RaiseError("条形码的条码项数与条码规则的规则项数不一致");
  for (int i = 1; i <= ruleItems.Count(); ++i) {
    const auto& segment = segments.Item(i);
    if (segment == nullptr || segment->ruleItem() == nullptr ||
        segment->ruleItem()->index() != ruleItems.Item(i)->index()) {
      RaiseError("条形码的第" + std::to_string(i) + "个条码项不属于条码规则的第" + std::to_string(i) + "个规则项");
    }
  }
}

}  // namespace

std::shared_ptr<clsInventoryBarCodeSet> clsBarCodeManager::CreateBarCode(
    const std::shared_ptr<clsInventoryInfo>& invInfo, const std::shared_ptr<clsBarCode>& barCode,
    const std::shared_ptr<clsRuleAssign>& assign) {
  std::shared_ptr<clsInventoryBarCodeSet> result;
  TrapAndReraise([&] {
    RequireArguments(invInfo, barCode, assign);
    RunWithRight(*Context(), kRight, "您没有生成条码的权限.", [&] {
      auto rule = LoadBarCodeRule(barCode->ruleId(), kCannotLoadRule);
      if (!VerifyBarCode(invInfo, barCode, rule)) RaiseError(kVerifyFailed);
      RequireSegmentsOfRule(*rule, *barCode);
      DrawSequenceNumbers(*rule, *barCode);
      EncodeCheckSegments(invInfo, *rule, *barCode);
      result = InsertInventoryBarCodeSet(barCode, invInfo, assign, rule);
    });
  });
  return result;
}

std::shared_ptr<clsInventoryBarCodeSet> clsBarCodeManager::AddInventoryBarCodeSet(
    const std::shared_ptr<clsBarCode>& barCode, const std::shared_ptr<clsInventoryInfo>& invInfo,
    const std::shared_ptr<clsRuleAssign>& assign) {
  std::shared_ptr<clsInventoryBarCodeSet> result;
  TrapAndReraise([&] {
    if (barCode == nullptr) RaiseError(kNoBarCode);
    if (invInfo == nullptr) RaiseError(kNoInvInfo);
    if (assign == nullptr) RaiseError(kNoAssign);
    if (barCode->ruleId() != assign->ruleId()) RaiseError(kRuleMismatch);
    RegistryInputCheck::Check(*invInfo, *barCode);
    auto rule = LoadBarCodeRule(barCode->ruleId(), "不能获得条码规则信息，规则编码=");
    RunWithRight(*Context(), kRight, "您没有增加条码的权限.", [&] {
      if (!VerifyBarCode(invInfo, barCode, rule)) RaiseError(kVerifyFailed);
      result = InsertInventoryBarCodeSet(barCode, invInfo, assign, rule);
    });
  });
  return result;
}

std::shared_ptr<clsInventoryBarCodeSet> clsBarCodeManager::UpdateBarCode(
    const std::string& oldBarCode, const std::shared_ptr<clsInventoryInfo>& invInfo,
    const std::shared_ptr<clsBarCode>& barCode, const std::shared_ptr<clsRuleAssign>& assign) {
  std::shared_ptr<clsInventoryBarCodeSet> result;
  TrapAndReraise([&] {
    RequireArguments(invInfo, barCode, assign);
    auto context = Context();
    RunWithRight(*context, kRight, "您没有修改条码的权限.", [&] {
      if (LoadInventoryBarCodeSet(oldBarCode, true) == nullptr) RaiseError("条形码'" + oldBarCode + "'不存在.");
      auto rule = LoadBarCodeRule(barCode->ruleId(), kCannotLoadRule);
      if (!VerifyBarCode(invInfo, barCode, rule)) RaiseError(kVerifyFailed);
      RequireSegmentsOfRule(*rule, *barCode);
      EncodeCheckSegments(invInfo, *rule, *barCode);

      // Rolled back on any failure, before the rights bracket closes, so the old row stays.
      Transaction transaction(*context->mConn());
      RemoveBarCode(oldBarCode);
      auto inserted = InsertInventoryBarCodeSet(barCode, invInfo, assign, rule);
      transaction.Commit();
      result = inserted;
    });
  });
  return result;
}

std::shared_ptr<clsBarCodeRule> clsBarCodeManager::LoadBarCodeRule(const std::string& ruleId,
                                                                   const std::string& missingMessage) {
  auto rule = Context()->objRuleManager()->LoadRule(ruleId);
  if (rule == nullptr) RaiseError(missingMessage + ruleId);
  return rule;
}

// A sequence segment still showing the sequence's current number gets a number drawn for real;
// one the caller edited keeps its value and draws nothing.
void clsBarCodeManager::DrawSequenceNumbers(const clsBarCodeRule& rule, clsBarCode& barCode) {
  auto sequences = Context()->objSequenceManager();
  barcodes::ForEachSegment(rule, barCode, [&](const auto& ruleItem, auto& segment) {
    if (ruleItem->itemType() != ISTSequence) return;
    auto sequence = sequences->LoadSequence(rule.ruleId(), ruleItem->index());
    if (sequence == nullptr) {
      RaiseError("不能获得流水号信息，规则编码=" + rule.ruleId() + "，规则项序号=" + std::to_string(ruleItem->index()));
    }
    if (sequences->GetSequenceNumber(sequence) == segment->value()) {
      segment->setValue(sequences->CreateSequenceNumber(rule.ruleId(), ruleItem->index()));
    }
  });
}

void clsBarCodeManager::EncodeCheckSegments(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                            const clsBarCodeRule& rule, clsBarCode& barCode) {
  auto check = Context()->objItemSourceManager()->GetItemSource(ISTCheck);
  barcodes::ForEachSegment(rule, barCode, [&](const auto& ruleItem, auto& segment) {
    if (ruleItem->itemType() == ISTCheck) check->Encode(invInfo, ruleItem, segment);
  });
}

std::shared_ptr<clsInventoryBarCodeSet> clsBarCodeManager::InsertInventoryBarCodeSet(
    const std::shared_ptr<clsBarCode>& barCode, const std::shared_ptr<clsInventoryInfo>& invInfo,
    const std::shared_ptr<clsRuleAssign>& assign, const std::shared_ptr<clsBarCodeRule>& rule) {
  if (invInfo == nullptr) RaiseError(kNoInvInfo);
  if (barCode == nullptr) RaiseError(kNoBarCode);
  if (rule == nullptr) RaiseError("参数rule不能为空");
  if (assign == nullptr) RaiseError(kNoAssign);
  if (rule->ruleId() != barCode->ruleId()) RaiseError("规则对应的条码规则和生成条码的条码规则不一致");
  if (rule->ruleId() != assign->ruleId()) RaiseError("规则分配对应的条码规则和规则对应的条码规则不一致");

  // The registry key is checked over every row: a barcode registered for an item the user may
  // not see is still taken.
  const std::string text = barCode->barCode();
  if (IsRegistered(text)) RaiseError("该条形码已经存在，条形码不能重复");

  const std::string createDate = FormatIsoDate(Today());
  std::string columns = "cInvCode,cBarCode,cAssignId,cRuleId,cInvName,cInvCCode,cInvCName,dCreateDate,bAbandon";
  std::string marks = "?,?,?,?,?,?,?,?,0";
  std::vector<Variant> values = {Variant(invInfo->inventoryId()),
                                 Variant(text),
                                 Variant(assign->assignId()),
                                 Variant(barCode->ruleId()),
                                 Variant(invInfo->inventoryName()),
                                 Variant(invInfo->inventoryClassId()),
                                 Variant(invInfo->inventoryClassName()),
                                 Variant(createDate)};
  // Two items of one kind carry the same property: its column is written once.
  std::set<std::string> named;
  auto sources = Context()->objItemSourceManager();
  for (const auto& ruleItem : *rule->ruleItems()) {
    const ItemSourceType itemType = ruleItem->itemType();
    if (itemType == ISTInventory || itemType == ISTInventoryClass) continue;  // in the fixed columns
    const std::string column = clsInventoryInfo::InventoryPropertyName(itemType);
    if (Trim(column).empty() || !named.insert(column).second) continue;
    const Variant value = invInfo->InventoryProperty(itemType);
    if (value.isEmpty() || value.isNull()) {
      RaiseError("条码项'" + sources->GetItemSource(itemType)->sourceName() + "'对应的存货属性" + column +
                 "没有值，不能登记条码");
    }
    columns += "," + column;
    marks += ",?";
    // Dates are written as yyyy-MM-dd text whatever form the caller gave the day in.
    const bool isDate = itemType == ISTMadeDate || itemType == ISTDisableDate;
    values.push_back(isDate ? barcodes::RegistryDate(value) : value);
  }
  Context()->mConn()->Execute("insert into InventoryBarCodeSet(" + columns + ") values(" + marks + ")", values);

  auto record = std::make_shared<clsInventoryBarCodeSet>();
  record->setBarCode(text);
  record->setRuleId(barCode->ruleId());
  record->setCreateDate(createDate);
  record->setAssignId(assign->assignId());
  record->setInvInfo(invInfo);
  return record;
}

bool clsBarCodeManager::IsRegistered(const std::string& barCode) {
  auto count = FirstField(*Context()->mConn(), "select count(*) as n from InventoryBarCodeSet where cBarCode = ?",
                          {Variant(barCode)}, "n");
  return count && NullToLng(*count) > 0;
}

}  // namespace quillstone
