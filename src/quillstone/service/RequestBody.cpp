#include "src/quillstone/service/RequestBody.h"

#include <functional>
#include <map>

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::service {
namespace {

using Setter = std::function<void(clsInventoryInfo&, const Variant&)>;

// Dates are passed on as yyyy-mm-dd when they are real days and unchanged otherwise, for the
// library to judge, as the program passes its options on.
Variant DateValue(const std::string& text) {
  const auto day = ParseIsoDate(text);
  return day ? Variant(FormatIsoDate(*day)) : Variant(text);
}

const std::map<std::string, Setter>& TextSetters() {
  static const std::map<std::string, Setter> setters = {
      {"warehouseId", [](clsInventoryInfo& i, const Variant& v) { i.setWarehouseId(v); }},
      {"invPositionId", [](clsInventoryInfo& i, const Variant& v) { i.setInvPositionId(v); }},
      {"batchNo", [](clsInventoryInfo& i, const Variant& v) { i.setBatchNo(v); }},
      {"madeDate", [](clsInventoryInfo& i, const Variant& v) { i.setMadeDate(DateValue(v.toString())); }},
      {"disableDate", [](clsInventoryInfo& i, const Variant& v) { i.setDisableDate(DateValue(v.toString())); }},
      {"vendorId", [](clsInventoryInfo& i, const Variant& v) { i.setVendorId(v); }},
      {"unit", [](clsInventoryInfo& i, const Variant& v) { i.setUnit(v); }},
  };
  return setters;
}

// 1 to 10 for "free1" ... "free10"; 0 for any other name.
int FreeIndex(const std::string& field) {
  if (field.size() < 5 || field.size() > 6 || field.compare(0, 4, "free") != 0) return 0;
  if (field.find_first_not_of("0123456789", 4) != std::string::npos) return 0;
  const int k = std::stoi(field.substr(4));
  return k >= 1 && k <= clsInventoryInfo::kFreeCount ? k : 0;
}

}  // namespace

RequestBody::RequestBody(const std::string& text) {
  object_ = nlohmann::json::parse(text, nullptr, false);
  if (object_.is_discarded()) RaiseError("请求体不是合法的JSON");
  if (!object_.is_object()) RaiseError("请求体必须是JSON对象");
}

RequestBody::RequestBody(nlohmann::json object, std::string prefix)
    : object_(std::move(object)), prefix_(std::move(prefix)) {}

const nlohmann::json* RequestBody::Find(const std::string& field) const {
  auto found = object_.find(field);
  return found == object_.end() || found->is_null() ? nullptr : &*found;
}

void RequestBody::WrongType(const std::string& field, const char* expected) const {
  RaiseError("字段'" + Name(field) + "'应为" + expected);
}

std::optional<std::string> RequestBody::OptionalText(const std::string& field) const {
  const auto* value = Find(field);
  if (value == nullptr) return std::nullopt;
  if (!value->is_string()) WrongType(field, "字符串");
  return value->get<std::string>();
}

std::string RequestBody::Text(const std::string& field) const {
  auto value = OptionalText(field);
  if (!value) RaiseError("缺少字段'" + Name(field) + "'");
  return *value;
}

bool RequestBody::Flag(const std::string& field, bool otherwise) const {
  const auto* value = Find(field);
  if (value == nullptr) return otherwise;
  if (!value->is_boolean()) WrongType(field, "true或false");
  return value->get<bool>();
}

std::vector<std::string> RequestBody::TextList(const std::string& field, std::size_t most) const {
  const auto* value = Find(field);
  if (value == nullptr) RaiseError("缺少字段'" + Name(field) + "'");
  const std::string expected = "1到" + std::to_string(most) + "个字符串的数组";
  if (!value->is_array() || value->empty() || value->size() > most) WrongType(field, expected.c_str());
  std::vector<std::string> texts;
  for (const auto& text : *value) {
    if (!text.is_string()) WrongType(field, expected.c_str());
    texts.push_back(text.get<std::string>());
  }
  return texts;
}

std::optional<int> RequestBody::OptionalInteger(const std::string& field, int least, int most) const {
  const auto* value = Find(field);
  if (value == nullptr) return std::nullopt;
  const std::string range = std::to_string(least) + "到" + std::to_string(most) + "之间的整数";
  if (!value->is_number_integer()) WrongType(field, range.c_str());
  const auto number = value->get<int64_t>();
  if (number < least || number > most) WrongType(field, range.c_str());
  return static_cast<int>(number);
}

RequestBody RequestBody::Without(const std::string& field) const {
  nlohmann::json rest = object_;
  rest.erase(field);
  return RequestBody(std::move(rest), prefix_);
}

RequestBody RequestBody::Object(const std::string& field) const {
  const auto* value = Find(field);
  if (value == nullptr) return RequestBody(nlohmann::json::object(), Name(field) + ".");
  if (!value->is_object()) WrongType(field, "JSON对象");
  return RequestBody(*value, Name(field) + ".");
}

std::shared_ptr<clsInventoryInfo> RequestBody::Inventory() const {
  auto info = std::make_shared<clsInventoryInfo>();
  info->setInventoryId(OptionalText("inventoryId").value_or(""));
  for (const auto& [field, value] : object_.items()) {
    if (field == "inventoryId" || value.is_null()) continue;
    if (auto setter = TextSetters().find(field); setter != TextSetters().end()) {
      setter->second(*info, Variant(Text(field)));
    } else if (field == "massDay") {
      if (!value.is_number_integer()) WrongType(field, "整数");
      info->setMassDay(Variant(value.get<int32_t>()));
    } else if (field == "unitCost") {
      if (!value.is_number()) WrongType(field, "数值");
      info->setUnitCost(Variant(value.get<double>()));
    } else if (const int k = FreeIndex(field); k > 0) {
      info->setFree(k, Variant(Text(field)));
    } else {
      RaiseError("字段'" + Name(field) + "'不是存货属性");
    }
  }
  return info;
}

}  // namespace quillstone::service
