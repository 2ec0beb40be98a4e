#include "BenchRule.h"

#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"

namespace quillstone::bench {

std::shared_ptr<clsBarCodeRule> MakeRule(const std::string& ruleId, const std::vector<ItemDef>& items,
                                         const std::string& barCodeType, const std::string& ruleName) {
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId(ruleId);
  rule->setRuleName(ruleName.empty() ? "基准规则" + ruleId : ruleName);
  rule->setBarCodeType(barCodeType);
  int16_t length = 0;
  for (const ItemDef& def : items) {
    auto item = rule->CreateRuleItem(def.type);
    item->setLength(def.length);
    item->setRelevantValue(def.relevantValue);
    item->setAi(def.ai);
    rule->ruleItems()->Add(item);
    length = static_cast<int16_t>(length + def.length);
  }
  rule->setLength(length);
  return rule;
}

}  // namespace quillstone::bench
