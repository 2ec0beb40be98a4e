// Validation of a rule built in memory, before clsRuleManager stores it.
#include <cctype>

#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/Int16.h"
#include "src/quillstone/rules/Gs1RuleChecks.h"
#include "src/quillstone/rules/RuleInputChecks.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone {
namespace {

constexpr int16_t kMaxRuleLength = 128;

// GS1-128 by its name in any spelling ("GS1-128", "gs1 128"), or by the typeId of that name.
bool NamesGs1_128(const std::string& barCodeType, const std::vector<clsBarCodeType>& types) {
  std::string name = Trim(barCodeType);
  for (const auto& type : types)
    if (std::to_string(type.typeId()) == name) name = type.typeName();
  std::string key;
  for (unsigned char c : name)
    if (std::isalnum(c)) key += static_cast<char>(std::tolower(c));
  return key == "gs1128";
}

}  // namespace

std::vector<clsBarCodeType> clsRuleManager::BarCodeTypes() {
  std::vector<clsBarCodeType> types;
  auto list = ListBarCodeTypes();
  for (const auto& type : *list) types.push_back(*type);
  return types;
}

bool clsRuleManager::VerifyRule(const std::shared_ptr<clsBarCodeRule>& rule) {
  bool passed = false;
  TrapAndReraise([&] {
    Assert(rule != nullptr, "bad parameter: rule");
    Assert(!Trim(rule->ruleId()).empty(), "规则编码不能为空");
    Assert(!Trim(rule->ruleName()).empty(), "规则名称不能为空");
    RuleInputChecks::CheckTexts(*rule);
    Assert(rule->length() > 0 && rule->length() <= kMaxRuleLength, "条码规则长度应大于0，同时不超过128.");
    const auto& items = *rule->ruleItems();
    Assert(items.Count() > 0, "必须定义规则项");
    clsItemSourceManager& sources = Sources();
    // Item by item: each passes both checks before the next is looked at.
    const int16_t count = ToInt16(items.Count());
    for (int i = 1; i <= count; ++i) {
      const auto& item = items.Item(i);
      Assert(item != nullptr, "bad parameter: ruleItem");
      Assert(item->length() >= 1, "规则项的长度应大于0");
      sources.GetItemSource(item->itemType())->VerifyRuleItem(item);
    }
    Assert(rule->length() == rule->ItemTotalLength(), "规则项目长度设置不等于规则总长度");
    const auto types = BarCodeTypes();
    RuleInputChecks::CheckShape(*rule, types);
    // One GS1-128 symbol carries 48 characters; a longer element string would print but not scan
    // as GS1 data everywhere.
    if (NamesGs1_128(rule->barCodeType(), types)) Gs1RuleChecks::CheckFitsGs1_128(*rule);
    passed = true;
  });
  return passed;
}

}  // namespace quillstone
