// The rule store of clsRuleManager: rule headers in BarCodeRule, their items in BarCodeRuleItem.
#include <string>

#include "src/quillstone/platform/ReadScope.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/ClientRecordset.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Int16.h"
#include "quillstone/platform/Transaction.h"
#include "src/quillstone/rules/RuleManagerSupport.h"
#include "quillstone/rules/clsRuleManager.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/FilterCondition.h"
#include "src/quillstone/server/FilteredRead.h"
#include "src/quillstone/server/RightsBracket.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

using rules::FieldInt16;

const char* const kRuleRight = "ST050102";

const char* const kItemsSql =
    "select BarCodeRuleItem.*,sourceName from BarCodeRuleItem,ItemSourceType where ruleId = ?"
    " and BarCodeRuleItem.itemSourceType=ItemSourceType.sourceType order by \"index\"";

}  // namespace

std::shared_ptr<clsBarCodeRule> clsRuleManager::ReadRuleHeader(const Recordset& row) const {
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId(FieldText(row, "ruleId"));
  rule->setRuleName(FieldText(row, "ruleName"));
  rule->setLength(FieldInt16(row, "length"));
  rule->setBarCodeType(FieldText(row, "barCodeType"));
  rule->setDescription(FieldText(row, "description"));
  return rule;
}

std::shared_ptr<clsBarCodeRule> clsRuleManager::LoadRule(const std::string& ruleId) {
  std::shared_ptr<clsBarCodeRule> rule;
  ReadScope reads(Conn());
  {
    auto rs = Conn().Query("select * from BarCodeRule where ruleId = ?", {Variant(ruleId)});
    if (rs->IsEOF()) return nullptr;
    rule = ReadRuleHeader(*rs);
  }
  rule->setRuleId(ruleId);
  LoadRuleItems(rule);
  return rule;
}

std::shared_ptr<clsRuleManager::TypeList> clsRuleManager::ListBarCodeTypes() {
  auto types = std::make_shared<TypeList>();
  auto rs = Conn().Query("select * from BarCodeType ");
  for (; !rs->IsEOF(); rs->MoveNext()) {
    auto type = std::make_shared<clsBarCodeType>();
    type->setTypeId(FieldInt16(*rs, "typeId"));
    type->setTypeName(FieldText(*rs, "typeName"));
    type->setLength(FieldInt16(*rs, "length"));
    types->Add(type, std::to_string(type->typeId()));
  }
  return types;
}

std::shared_ptr<clsRuleManager::RuleList> clsRuleManager::ListRules(const std::string& filter,
                                                                    const std::vector<Variant>& params) {
  const FilterCondition condition(filter, params.size(), FilterScope::Rules());
  std::string sql = "select * from BarCodeRule";
  if (!condition.empty()) sql += " where " + condition.Sql(Conn().backend());
  // The headers are read whole first: each rule then reads its items on the same connection.
  std::shared_ptr<ClientRecordset> rows;
  {
    auto rs = FilteredRead::Query(Conn(), sql, params, condition);
    FilteredRead::Step(condition, [&] { rows = ClientRecordset::ReadAll(*rs); });
  }
  auto rules = std::make_shared<RuleList>();
  for (; !rows->IsEOF(); rows->MoveNext()) {
    auto rule = ReadRuleHeader(*rows);
    LoadRuleItems(rule);
    rules->Add(rule, rule->ruleId());
  }
  return rules;
}

void clsRuleManager::LoadRuleItems(const std::shared_ptr<clsBarCodeRule>& rule) {
  TrapAndReraise([&] {
    rule->setRuleItems(std::make_shared<RuleItemCollection>());
    auto rs = Conn().Query(kItemsSql, {Variant(rule->ruleId())});
    int16_t start = 1;
    for (; !rs->IsEOF(); rs->MoveNext()) {
      auto item = rule->CreateRuleItem(static_cast<ItemSourceType>(NullToLng(rs->Field("itemSourceType"))));
      item->setSourceName(FieldText(*rs, "sourceName"));
      item->setIndex(FieldInt16(*rs, "index"));
      item->setLength(FieldInt16(*rs, "length"));
      item->setStart(start);
      start = Add16(start, item->length());
      item->setRelevantValue(FieldText(*rs, "relevantValue"));
      item->setAi(FieldText(*rs, "ai"));
      rule->ruleItems()->Add(item);
    }
  });
}

void clsRuleManager::SaveRuleItems(const std::shared_ptr<clsBarCodeRule>& rule) {
  Connection& conn = Conn();
  const Variant ruleId(rule->ruleId());
  conn.Execute("delete from BarCodeRuleItem where ruleId = ?", {ruleId});
  const auto& items = *rule->ruleItems();
  const int16_t count = ToInt16(items.Count());
  for (int i = 1; i <= count; ++i) {
    const auto& item = items.Item(i);
    item->setIndex(static_cast<int16_t>(i));
    conn.Execute(
        "insert into BarCodeRuleItem(ruleId,\"index\",length,itemSourceType,relevantValue,ai) values(?,?,?,?,?,?)",
        {ruleId, Variant(item->index()), Variant(item->length()), Variant(static_cast<int32_t>(item->itemType())),
         Variant(item->relevantValue()), Variant(item->ai())});
  }
}

bool clsRuleManager::RuleStored(const std::string& ruleId) {
  return rules::CountOf(Conn(), "select count(*) as i from BarCodeRule where ruleId = ?", Variant(ruleId)) > 0;
}

bool clsRuleManager::IsRuleInUsed(const std::string& ruleId) {
  bool inUse = true;
  TrapAndReraise([&] {
    Connection& conn = Conn();
    inUse = rules::CountOf(conn, "select count(*) as i from RuleAssign where ruleId = ?", Variant(ruleId)) > 0;
    if (!inUse) {
      inUse = rules::CountOf(conn, "select count(*) as i from InventoryBarCodeSet where cRuleId = ?", Variant(ruleId)) > 0;
    }
  });
  return inUse;
}

// The writers run their statements in one transaction, so a failure part-way (one item insert,
// say) leaves the stored rule and its items as they were.

void clsRuleManager::CreateRule(const std::shared_ptr<clsBarCodeRule>& rule) {
  VerifyRule(rule);
  auto context = Context();
  RunWithRight(*context, kRuleRight, "您没有新建条码规则的权限.", [&] {
    Connection& conn = Conn();
    Transaction transaction(conn);
    Assert(LoadRule(rule->ruleId()) == nullptr, "条码规则编号重复");
    conn.Execute("insert into BarCodeRule(ruleId,ruleName,length,barcodeType,description) values(?,?,?,?,?)",
                 {Variant(rule->ruleId()), Variant(rule->ruleName()), Variant(rule->length()),
                  Variant(rule->barCodeType()), Variant(rule->description())});
    SaveRuleItems(rule);
    transaction.Commit();
  });
}

void clsRuleManager::SaveRule(std::shared_ptr<clsBarCodeRule>& rule) {
  VerifyRule(rule);
  auto context = Context();
  RunWithRight(*context, kRuleRight, "您没有修改条码规则的权限.", [&] {
    Connection& conn = Conn();
    Transaction transaction(conn);
    Assert(!IsRuleInUsed(rule->ruleId()), "该条码规则已被使用，不能修改");
    // Saving under a code that is not stored would leave items without their rule.
    Assert(RuleStored(rule->ruleId()), "条码规则'" + rule->ruleId() + "'不存在，不能修改");
    conn.Execute("update BarCodeRule set ruleName = ?, length = ?, barcodeType = ?, description = ? where ruleId = ?",
                 {Variant(rule->ruleName()), Variant(rule->length()), Variant(rule->barCodeType()),
                  Variant(rule->description()), Variant(rule->ruleId())});
    SaveRuleItems(rule);
    transaction.Commit();
  });
}

void clsRuleManager::RemoveRule(std::string& ruleId) {
  auto context = Context();
  RunWithRight(*context, kRuleRight, "您没有删除条码规则的权限.", [&] {
    Connection& conn = Conn();
    Transaction transaction(conn);
    Assert(!IsRuleInUsed(ruleId), "该条码规则已被使用，不能删除");
    conn.Execute("delete from BarCodeRuleItem where ruleId = ?", {Variant(ruleId)});
    conn.Execute("delete from BarCodeRule where ruleId = ?", {Variant(ruleId)});
    transaction.Commit();
  });
}

}  // namespace quillstone
