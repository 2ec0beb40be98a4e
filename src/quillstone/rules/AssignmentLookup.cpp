// Reading assignments, and finding the one that governs an inventory item through its classes.
#include <string>

#include "src/quillstone/platform/ReadScope.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/rules/RuleManagerSupport.h"
#include "quillstone/rules/clsRuleManager.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/FilterCondition.h"
#include "src/quillstone/server/FilteredRead.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

const char* const kByInventorySql =
    "select RuleAssign.*,Inventory.cInvName,BarCodeRule.ruleName from RuleAssign "
    " left join Inventory on (RuleAssign.invId = Inventory.cInvCode) "
    " left join BarCodeRule on(RuleAssign.ruleId = BarCodeRule.ruleId)"
    " where assignType=1 and invId = ?";

const char* const kByClassSql =
    "select RuleAssign.*,InventoryClass.cInvCName,BarCodeRule.ruleName from RuleAssign "
    " left join InventoryClass on (RuleAssign.classId = InventoryClass.cInvCCode) "
    " left join BarCodeRule on(RuleAssign.ruleId = BarCodeRule.ruleId)"
    " where assignType=0 and classId = ?";

const char* const kListSql =
    "select RuleAssign.*,Inventory.cInvName,InventoryClass.cInvCName,BarCodeRule.ruleName from RuleAssign "
    " left join Inventory on (RuleAssign.invId = Inventory.cInvCode) "
    " left join InventoryClass on (RuleAssign.classId = InventoryClass.cInvCCode) "
    " left join BarCodeRule on(RuleAssign.ruleId = BarCodeRule.ruleId)";

const char* const kItemClassSql =
    "select InventoryClass.* from Inventory left join InventoryClass on (Inventory.cInvCCode=InventoryClass.cInvCCode)"
    " where ( Inventory.cInvCode = ?)";

// The fields both kinds share: code, rule and rule name.
template <class Record>
std::shared_ptr<Record> ReadAssign(const Recordset& row) {
  auto a = std::make_shared<Record>();
  a->setAssignId(FieldText(row, "assignId"));
  a->setRuleId(FieldText(row, "ruleId"));
  a->setRuleName(FieldText(row, "ruleName"));
  return a;
}

std::shared_ptr<clsRuleAssign> ReadInventoryAssign(const Recordset& row) {
  auto a = ReadAssign<clsInventoryAssign>(row);
  a->setInventoryId(FieldText(row, "invId"));
  a->setInventoryName(FieldText(row, "cInvName"));
  return a;
}

std::shared_ptr<clsRuleAssign> ReadClassAssign(const Recordset& row) {
  auto a = ReadAssign<clsInventoryClassAssign>(row);
  a->setInvClassId(FieldText(row, "classId"));
  a->setInvClassName(FieldText(row, "cInvCName"));
  return a;
}

}  // namespace

std::shared_ptr<clsRuleAssign> clsRuleManager::LoadAssignById(const std::string& /*assignId*/) {
  RaiseError("This method have not implemented");
}

std::shared_ptr<clsRuleAssign> clsRuleManager::LoadAssignByInventory(const std::string& inventoryId) {
  auto rs = Conn().Query(kByInventorySql, {Variant(inventoryId)});
  return rs->IsEOF() ? nullptr : ReadInventoryAssign(*rs);
}

std::shared_ptr<clsRuleAssign> clsRuleManager::LoadAssignByInventoryClass(const std::string& classId) {
  auto rs = Conn().Query(kByClassSql, {Variant(classId)});
  return rs->IsEOF() ? nullptr : ReadClassAssign(*rs);
}

std::shared_ptr<clsRuleManager::AssignList> clsRuleManager::ListAssigns(const std::string& filter,
                                                                        const std::vector<Variant>& params) {
  const FilterCondition condition(filter, params.size(), FilterScope::Assigns());
  std::string sql = kListSql;
  if (!condition.empty()) sql += " where " + condition.Sql(Conn().backend());
  auto assigns = std::make_shared<AssignList>();
  auto rs = FilteredRead::Query(Conn(), sql, params, condition);
  for (; !rs->IsEOF(); FilteredRead::Step(condition, [&] { rs->MoveNext(); })) {
    const bool toItem = NullToLng(rs->Field("assignType")) == RATInventory;
    assigns->Add(toItem ? ReadInventoryAssign(*rs) : ReadClassAssign(*rs));
  }
  return assigns;
}

std::shared_ptr<clsRuleAssign> clsRuleManager::FindAssignByInventory(const std::string& inventoryId) {
  std::shared_ptr<clsRuleAssign> found;
  TrapAndReraise([&] {
    ReadScope reads(Conn());
    found = LoadAssignByInventory(inventoryId);
    if (found != nullptr) return;

    Connection& conn = Conn();
    auto coding =
        FirstField(conn, "select codingrule,lgrade from GradeDef where keyword='inventoryclass'", {}, "codingrule");
    Assert(coding.has_value(), "存货分类编码级次不存在");
    const std::string codingRule = Trim(NullToStr(*coding));
    std::string classCode;
    int16_t grade = 0;
    {
      auto rs = conn.Query(kItemClassSql, {Variant(inventoryId)});
      Assert(!rs->IsEOF(), "指定的存货不存在");
      classCode = FieldText(*rs, "cInvCCode");
      grade = rules::FieldInt16(*rs, "iInvCGrade");
    }

    // The item's own class first, then each level above it.
    for (int16_t level = grade; level >= 1; --level) {
      const int16_t length = rules::CodeLength(codingRule, level);
      Assert(length <= AnsiLength(classCode), "编码级次和存货分类不一致");
      found = LoadAssignByInventoryClass(rules::LeftChars(classCode, length));
      if (found != nullptr) return;
    }
  });
  return found;
}

}  // namespace quillstone
