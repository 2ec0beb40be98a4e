#include "src/quillstone/service/RegistryPage.h"

#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/service/RecordJson.h"

namespace quillstone::service {

RegistryPage::RegistryPage(const ApiRequest& request) {
  for (const auto& [name, value] : request.query) {
    if (name == "inventoryId") {
      item_ = value;
    } else if (name == "ruleId") {
      rule_ = value;
    } else if (name == "after") {
      after_ = value;
    } else if (name == "limit") {
      limit_ = Limit(value);
    } else {
      RaiseError("不支持的查询参数：" + name.substr(0, 40));
    }
  }
}

int RegistryPage::Limit(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
  const int limit = digits ? std::stoi(text) : 0;
  if (limit < 1 || limit > kMaxLimit)
    RaiseError("查询参数limit应为1到" + std::to_string(kMaxLimit) + "之间的整数，实际为'" + text.substr(0, 40) + "'");
  return limit;
}

std::string RegistryPage::Condition() const {
  std::string condition;
  if (!item_.empty()) condition = "InventoryBarCodeSet.cInvCode = ?";
  if (!rule_.empty()) condition += std::string(condition.empty() ? "" : " and ") + "InventoryBarCodeSet.cRuleId = ?";
  return condition;
}

std::vector<Variant> RegistryPage::Values() const {
  std::vector<Variant> values;
  if (!item_.empty()) values.emplace_back(item_);
  if (!rule_.empty()) values.emplace_back(rule_);
  return values;
}

// The cursor is compared here rather than in SQL: the database's collation need not order text as
// its bytes do, and a page must follow the one before it exactly.
void RegistryPage::Offer(const std::shared_ptr<clsInventoryBarCodeSet>& set) {
  if (set->barCode() <= after_) return;
  rows_.emplace(set->barCode(), set);
  if (rows_.size() > static_cast<std::size_t>(limit_) + 1) rows_.erase(std::prev(rows_.end()));
}

nlohmann::json RegistryPage::Answer() const {
  nlohmann::json items = nlohmann::json::array();
  nlohmann::json next = nullptr;
  for (const auto& [barCode, set] : rows_) {
    if (items.size() == static_cast<std::size_t>(limit_)) {
      next = items.back()["barCode"];
      break;
    }
    items.push_back(RecordJson::BarCodeSet(*set));
  }
  return {{"items", items}, {"next", next}};
}

}  // namespace quillstone::service
