#include "cli/RuleJson.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>

#include "cli/CliError.h"
#include "quillstone/model/SegmentKind.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"

namespace quillstone::cli {
namespace {


std::string TextField(const nlohmann::json& doc, const char* name) {
  if (!doc.contains(name) || doc[name].is_null()) return "";
  if (!doc[name].is_string()) throw CliError(std::string("规则字段'") + name + "'必须是文本");
  return doc[name].get<std::string>();
}

int16_t LengthField(const nlohmann::json& doc, const char* name, const std::string& where) {
  if (!doc.contains(name)) return 0;
  const auto& v = doc[name];
  if (!v.is_number_integer() || v.get<int64_t>() < std::numeric_limits<int16_t>::min() ||
      v.get<int64_t>() > std::numeric_limits<int16_t>::max())
    throw CliError(where + "'" + name + "'必须是-32768到32767之间的整数");
  return static_cast<int16_t>(v.get<int64_t>());
}

}  // namespace

std::string RuleJson::TypeName(ItemSourceType type) {
  const SegmentKind* kind = SegmentKind::Of(type);
  return kind != nullptr ? kind->jsonName : std::to_string(static_cast<int>(type));
}

ItemSourceType RuleJson::ParseType(const nlohmann::json& value) {
  if (value.is_number_integer()) {
    const auto n = value.get<int64_t>();
    if (n >= 0 && n <= ISTOther) return static_cast<ItemSourceType>(n);
    throw CliError("itemType " + std::to_string(n) + "不是规则项来源类型（0到24）");
  }
  if (value.is_string()) {
    if (const SegmentKind* kind = SegmentKind::Named(value.get<std::string>())) return kind->type;
    throw CliError("itemType '" + value.get<std::string>() + "'不是规则项来源类型（ISTInventory … ISTOther）");
  }
  throw CliError("itemType必须是规则项来源类型的名称或编号");
}

std::shared_ptr<clsBarCodeRule> RuleJson::FromJson(const nlohmann::json& doc) {
  if (!doc.is_object()) throw CliError("规则文件应含有一个JSON对象");
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId(TextField(doc, "ruleId"));
  rule->setRuleName(TextField(doc, "ruleName"));
  rule->setLength(LengthField(doc, "length", "规则字段"));
  rule->setBarCodeType(TextField(doc, "barCodeType"));
  rule->setDescription(TextField(doc, "description"));

  if (doc.contains("items")) {
    if (!doc["items"].is_array()) throw CliError("规则字段'items'必须是列表");
    int position = 0;
    for (const auto& entry : doc["items"]) {
      const std::string where = "第" + std::to_string(++position) + "个规则项：";
      if (!entry.is_object()) throw CliError(where + "必须是JSON对象");
      if (!entry.contains("itemType")) throw CliError(where + "缺少'itemType'");
      ItemSourceType type;
      try {
        type = ParseType(entry["itemType"]);
      } catch (const CliError& e) {
        throw CliError(where + e.what());
      }
      auto item = rule->CreateRuleItem(type);
      item->setLength(LengthField(entry, "length", where));
      item->setRelevantValue(TextField(entry, "relevantValue"));
      item->setAi(TextField(entry, "ai"));
      rule->ruleItems()->Add(item);
    }
  }
  return rule;
}

std::shared_ptr<clsBarCodeRule> RuleJson::ReadFile(const std::string& path) {
  nlohmann::json doc;
  try {
    if (path == "-") {
      doc = nlohmann::json::parse(std::cin);
    } else {
      std::ifstream in(path);
      if (!in) throw CliError("无法读取规则文件'" + path + "'");
      doc = nlohmann::json::parse(in);
    }
  } catch (const nlohmann::json::parse_error& e) {
    throw CliError("规则文件'" + path + "'不是有效的JSON：" + e.what());
  }
  return FromJson(doc);
}

nlohmann::json RuleJson::ToJson(const clsBarCodeRule& rule) {
  nlohmann::json items = nlohmann::json::array();
  for (const auto& item : *rule.ruleItems()) {
    items.push_back({
        {"index", item->index()},
        {"start", item->start()},
        {"itemType", TypeName(item->itemType())},
        {"sourceName", item->sourceName()},
        {"length", item->length()},
        {"relevantValue", item->relevantValue()},
    });
    if (!item->ai().empty()) items.back()["ai"] = item->ai();
  }
  return {
      {"ruleId", rule.ruleId()},
      {"ruleName", rule.ruleName()},
      {"length", rule.length()},
      {"barCodeType", rule.barCodeType()},
      {"description", rule.description()},
      {"content", rule.RuleContent()},
      {"items", items},
  };
}

}  // namespace quillstone::cli
