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
  std::vector<Property> set;
  // A registry row holds Null in the columns its rule did not store, so Null, like Empty and empty
  // text, means "no value" here.
  auto text = [&](const char* name, const std::string& value) {
    if (!value.empty()) set.emplace_back(name, Variant(value));
  };
  auto variant = [&](std::string name, const Variant& value) {
    if (value.isEmpty() || value.isNull() || (value.isText() && value.toString().empty())) return;
    set.emplace_back(std::move(name), value);
  };
  text("inventoryId", info.inventoryId());
  text("inventoryName", info.inventoryName());
  text("inventoryClassId", info.inventoryClassId());
  text("inventoryClassName", info.inventoryClassName());
  variant("inventorySpec", info.inventorySpec());
  variant("warehouseId", info.warehouseId());
  variant("invPositionId", info.invPositionId());
  variant("batchNo", info.batchNo());
  variant("madeDate", info.madeDate());
  variant("disableDate", info.disableDate());
  variant("massDay", info.massDay());
  variant("vendorId", info.vendorId());
  variant("unit", info.unit());
  variant("unitCost", info.unitCost());
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) variant("free" + std::to_string(k), info.Free(k));
  return set;
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
