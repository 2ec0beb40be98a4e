// Registration: storing barcodes in the registry, table InventoryBarCodeSet.
#include <string>
#include <utility>
#include <vector>

#include "src/quillstone/barcodes/BarCodeSegments.h"
#include "src/quillstone/barcodes/RegistryInputCheck.h"
#include "src/quillstone/barcodes/RegistryRow.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/platform/TransactionScope.h"
#include "quillstone/rules/clsRuleManager.h"
#include "src/quillstone/server/RightsBracket.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"
#include "src/quillstone/sources/clsSequence.h"
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
const char* const kDuplicate = "该条形码已经存在，条形码不能重复";
// Rows per statement of a bulk registration: few round trips, and far below the databases'
// limits on bound values (about 25 values a row).
constexpr std::size_t kRowsPerInsert = 100;

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
      // The checks, the numbers drawn and the row in one transaction: the checks see what the
      // row is written against, and a registration that fails leaves every running number as
      // it was.
      TransactionScope transaction(*Context()->mConn());
      auto rule = LoadBarCodeRule(barCode->ruleId(), kCannotLoadRule);
      if (!VerifyBarCode(invInfo, barCode, rule)) RaiseError(kVerifyFailed);
      RequireSegmentsOfRule(*rule, *barCode);
      DrawSequenceNumbers(*rule, *barCode);
      EncodeCheckSegments(invInfo, *rule, *barCode);
      auto inserted = InsertInventoryBarCodeSet(barCode, invInfo, assign, rule);
      transaction.Commit();
      result = inserted;
    });
  });
  return result;
}

std::shared_ptr<clsBarCodeManager::BarCodeSetList> clsBarCodeManager::CreateBarCodes(
    const std::shared_ptr<clsInventoryInfo>& invInfo, const std::shared_ptr<clsBarCode>& barCode,
    const std::shared_ptr<clsRuleAssign>& assign, int count) {
  auto list = std::make_shared<BarCodeSetList>();
  TrapAndReraise([&] {
    RequireArguments(invInfo, barCode, assign);
    if (count < 1 || count > kMaxBulkCount)
      RaiseError("一次登记的条码个数必须在1到" + std::to_string(kMaxBulkCount) + "之间，实际为" + std::to_string(count));
    RunWithRight(*Context(), kRight, "您没有生成条码的权限.", [&] {
      // Every check of a single registration, once: the barcodes differ only in their running
      // numbers and the check segments computed over them.
      auto conn = Context()->mConn();
      TransactionScope transaction(*conn);
      auto rule = LoadBarCodeRule(barCode->ruleId(), kCannotLoadRule);
      if (!VerifyBarCode(invInfo, barCode, rule)) RaiseError(kVerifyFailed);
      RequireSegmentsOfRule(*rule, *barCode);
      const auto runs = DrawSequenceRuns(*rule, count);
      barcodes::RegistryRow row(*barCode, *invInfo, *assign, *rule, *Context()->objItemSourceManager());
      // Rows go in groups of kRowsPerInsert, one statement (one round trip to a server) each.
      std::vector<std::string> group;
      group.reserve(kRowsPerInsert);
      for (int i = 0; i < count; ++i) {
        for (const auto& [position, numbers] : runs)
          barCode->items()->Item(position)->setValue(numbers[static_cast<std::size_t>(i)]);
        EncodeCheckSegments(invInfo, *rule, *barCode);
        group.push_back(barCode->barCode());
        list->Add(row.Record(group.back(), invInfo));
        if (group.size() == kRowsPerInsert || i + 1 == count) {
          row.InsertMany(*conn, group);
          group.clear();
        }
      }
      transaction.Commit();
    });
  });
  return list;
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
      TransactionScope transaction(*context->mConn());
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

// A running number that encoding filled in is a placeholder: a number is drawn for it whatever
// other clients drew since. A value the caller set is kept, unless it is the sequence's current
// number, which is then drawn as well, so that it is not handed out again.
void clsBarCodeManager::DrawSequenceNumbers(const clsBarCodeRule& rule, clsBarCode& barCode) {
  auto sequences = Context()->objSequenceManager();
  barcodes::ForEachSegment(rule, barCode, [&](const auto& ruleItem, auto& segment) {
    if (ruleItem->itemType() != ISTSequence) return;
    if (!segment->isPlaceholder()) {
      auto sequence = sequences->LoadSequence(rule.ruleId(), ruleItem->index());
      if (sequence == nullptr) {
        RaiseError("不能获得流水号信息，规则编码=" + rule.ruleId() + "，规则项序号=" + std::to_string(ruleItem->index()));
      }
      // An exhausted sequence (its stored value past the width) has no current number to match.
      if (AnsiLength(Trim(sequence->curValue().toString())) > ruleItem->length()) return;
      if (sequences->GetSequenceNumber(sequence) != segment->value()) return;
    }
    segment->setValue(sequences->CreateSequenceNumber(rule.ruleId(), ruleItem->index()));
  });
}

std::vector<std::pair<int, std::vector<std::string>>> clsBarCodeManager::DrawSequenceRuns(const clsBarCodeRule& rule,
                                                                                          int count) {
  auto sequences = Context()->objSequenceManager();
  std::vector<std::pair<int, std::vector<std::string>>> runs;
  const auto& ruleItems = *rule.ruleItems();
  for (int i = 1; i <= ruleItems.Count(); ++i) {
    const auto& ruleItem = ruleItems.Item(i);
    if (ruleItem->itemType() != ISTSequence) continue;
    runs.emplace_back(i, sequences->CreateSequenceNumbers(rule.ruleId(), ruleItem->index(), count));
  }
  return runs;
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
  if (IsRegistered(text)) RaiseError(kDuplicate);
  barcodes::RegistryRow row(*barCode, *invInfo, *assign, *rule, *Context()->objItemSourceManager());
  row.Insert(*Context()->mConn(), text);
  return row.Record(text, invInfo);
}

bool clsBarCodeManager::IsRegistered(const std::string& barCode) {
  auto count = FirstField(*Context()->mConn(), "select count(*) as n from InventoryBarCodeSet where cBarCode = ?",
                          {Variant(barCode)}, "n");
  return count && NullToLng(*count) > 0;
}

}  // namespace quillstone
