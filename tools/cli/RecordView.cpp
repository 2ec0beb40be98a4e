#include "cli/RecordView.h"

#include <string>

#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/service/RecordJson.h"

namespace quillstone::cli {

std::vector<RecordView::Property> RecordView::Properties(const clsInventoryInfo& info) {
  return service::RecordJson::Properties(info);
}

std::string RecordView::Text(const Variant& value) {
  if (value.isEmpty() || value.isNull()) return "";
  return value.toString();
}

nlohmann::json RecordView::Json(const Variant& value) { return service::RecordJson::Value(value); }

TablePrinter RecordView::PropertyTable(const clsInventoryInfo& info) {
  TablePrinter table({"property", "value"});
  for (const auto& [name, value] : Properties(info)) table.AddRow({name, Text(value)});
  return table;
}

nlohmann::json RecordView::InventoryJson(const clsInventoryInfo& info) {
  nlohmann::json j = nlohmann::json::object();
  for (const auto& [name, value] : Properties(info)) j[name] = Json(value);
  return j;
}

nlohmann::json RecordView::BarCodeSetJson(const clsInventoryBarCodeSet& set) {
  nlohmann::json j = {
      {"barCode", set.barCode()},       {"ruleId", set.ruleId()},     {"assignId", set.assignId()},
      {"createDate", set.createDate()}, {"bAbandon", set.bAbandon()},
  };
  j["invInfo"] = set.invInfo() ? InventoryJson(*set.invInfo()) : nlohmann::json(nullptr);
  return j;
}

std::string RecordView::AssignKind(const clsRuleAssign& assign) {
  return assign.assignType() == RATInventory ? "item" : "class";
}

std::string RecordView::AssignTarget(const clsRuleAssign& assign) {
  if (const auto* item = dynamic_cast<const clsInventoryAssign*>(&assign)) return item->inventoryId();
  if (const auto* cls = dynamic_cast<const clsInventoryClassAssign*>(&assign)) return cls->invClassId();
  return "";
}

std::string RecordView::AssignTargetName(const clsRuleAssign& assign) {
  if (const auto* item = dynamic_cast<const clsInventoryAssign*>(&assign)) return item->inventoryName();
  if (const auto* cls = dynamic_cast<const clsInventoryClassAssign*>(&assign)) return cls->invClassName();
  return "";
}

nlohmann::json RecordView::AssignJson(const clsRuleAssign& assign) {
  return {
      {"assignId", assign.assignId()},          {"assignType", AssignKind(assign)}, {"target", AssignTarget(assign)},
      {"targetName", AssignTargetName(assign)}, {"ruleId", assign.ruleId()},        {"ruleName", assign.ruleName()},
  };
}

}  // namespace quillstone::cli
