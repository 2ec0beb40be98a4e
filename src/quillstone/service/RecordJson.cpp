#include "quillstone/service/RecordJson.h"

#include <string>

#include "quillstone/gs1/Gs1Ai.h"
#include "quillstone/model/SegmentKind.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Variant.h"

namespace quillstone::service {

nlohmann::json RecordJson::Value(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      return nullptr;
    case Variant::Type::Int16:
    case Variant::Type::Int32:
    case Variant::Type::Int64:
      return value.toInt64();
    case Variant::Type::Double:
      return value.toDouble();
    case Variant::Type::Bool:
      return value.toBool();
    default:
      return value.toString();
  }
}

std::vector<RecordJson::Property> RecordJson::Properties(const clsInventoryInfo& info) {
  std::vector<Property> set;
  auto put = [&](std::string name, const Variant& value) {
    if (value.isEmpty() || value.isNull() || (value.isText() && value.toString().empty())) return;
    set.emplace_back(std::move(name), value);
  };
  put("inventoryId", Variant(info.inventoryId()));
  put("inventoryName", Variant(info.inventoryName()));
  put("inventoryClassId", Variant(info.inventoryClassId()));
  put("inventoryClassName", Variant(info.inventoryClassName()));
  put("inventorySpec", info.inventorySpec());
  put("warehouseId", info.warehouseId());
  put("invPositionId", info.invPositionId());
  put("batchNo", info.batchNo());
  put("madeDate", info.madeDate());
  put("disableDate", info.disableDate());
  put("massDay", info.massDay());
  put("vendorId", info.vendorId());
  put("unit", info.unit());
  put("unitCost", info.unitCost());
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) put("free" + std::to_string(k), info.Free(k));
  return set;
}

nlohmann::json RecordJson::Inventory(const clsInventoryInfo& info) {
  nlohmann::json j = nlohmann::json::object();
  for (const auto& [name, value] : Properties(info)) j[name] = Value(value);
  return j;
}

nlohmann::json RecordJson::Warnings(const std::vector<clsGs1Receiver::Warning>& warnings) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& w : warnings) out.push_back({{"kind", w.kind}, {"message", w.message}});
  return out;
}

nlohmann::json RecordJson::BarCodeSet(const clsInventoryBarCodeSet& set) {
  nlohmann::json j = {{"barCode", set.barCode()},       {"ruleId", set.ruleId()},     {"assignId", set.assignId()},
                      {"createDate", set.createDate()}, {"bAbandon", set.bAbandon()}};
  j["invInfo"] = set.invInfo() ? Inventory(*set.invInfo()) : nlohmann::json(nullptr);
  return j;
}

std::string RecordJson::ItemTypeName(const clsBarCodeRuleItem& item) {
  const SegmentKind* kind = SegmentKind::Of(item.itemType());
  return kind != nullptr ? std::string(kind->jsonName) : std::to_string(static_cast<int>(item.itemType()));
}

nlohmann::json RecordJson::Encoding(const clsBarCode& barCode, const std::string& assignId) {
  nlohmann::json segments = nlohmann::json::array();
  for (const auto& segment : *barCode.items()) {
    const auto& item = *segment->ruleItem();
    segments.push_back({{"index", item.index()},
                        {"itemType", ItemTypeName(item)},
                        {"sourceName", item.sourceName()},
                        {"value", segment->value()}});
  }
  return {{"barCode", barCode.barCode()}, {"ruleId", barCode.ruleId()}, {"assignId", assignId}, {"segments", segments}};
}

nlohmann::json RecordJson::Rule(const clsBarCodeRule& rule) {
  nlohmann::json items = nlohmann::json::array();
  for (const auto& item : *rule.ruleItems()) {
    items.push_back({{"index", item->index()},
                     {"start", item->start()},
                     {"itemType", ItemTypeName(*item)},
                     {"sourceName", item->sourceName()},
                     {"length", item->length()},
                     {"relevantValue", item->relevantValue()}});
    if (!item->ai().empty()) items.back()["ai"] = item->ai();
  }
  return {{"ruleId", rule.ruleId()},           {"ruleName", rule.ruleName()},
          {"length", rule.length()},           {"barCodeType", rule.barCodeType()},
          {"description", rule.description()}, {"items", items}};
}

const char* RecordJson::KindName(clsScanService::Kind kind) {
  switch (kind) {
    case clsScanService::Kind::Registered:
      return "registered";
    case clsScanService::Kind::SupplierLabel:
      return "supplierLabel";
    default:
      return "unknown";
  }
}

nlohmann::json RecordJson::Gs1Elements(const Gs1ElementString& elements) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& e : elements.Elements())
    out.push_back({{"ai", std::string(e.ai->code)}, {"name", std::string(e.ai->name)}, {"value", std::string(e.value)}});
  return out;
}

nlohmann::json RecordJson::ScanAnswer(const clsScanService::Answer& answer) {
  nlohmann::json j = {{"kind", KindName(answer.kind)},
                      {"scanned", answer.scanned},
                      {"barCode", answer.barCode},
                      {"symbology", answer.symbology},
                      {"symbologyIdentifier", answer.symbologyIdentifier},
                      {"ruleId", answer.rule ? answer.rule->ruleId() : std::string()}};
  j["invInfo"] = answer.invInfo ? Inventory(*answer.invInfo) : nlohmann::json(nullptr);
  if (answer.record) j["record"] = BarCodeSet(*answer.record);
  if (answer.gs1) j["gs1"] = {{"hri", answer.gs1->ToHri()}, {"elements", Gs1Elements(*answer.gs1)}};
  j["warnings"] = Warnings(answer.warnings());
  if (!answer.ok()) j["error"] = answer.error;
  return j;
}

}  // namespace quillstone::service
