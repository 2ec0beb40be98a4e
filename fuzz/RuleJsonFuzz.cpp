// Rule validation of arbitrary rule files as the program reads them: the JSON is parsed, made a
// rule and checked; every outcome is a rule that passes or a refusal with a message.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "FuzzSystem.h"
#include "cli/CliError.h"
#include "cli/RuleJson.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto& system = quillstone::fuzz::DemoSystem();
  try {
    auto rule = cli::RuleJson::FromJson(nlohmann::json::parse(text));
    for (const auto& item : *rule->ruleItems())
      item->setSourceName(system.GetItemSourceManager()->GetItemSource(item->itemType())->sourceName());
    system.GetRuleManager()->VerifyRule(rule);
  } catch (const Error&) {
  } catch (const cli::CliError&) {
  } catch (const nlohmann::json::exception&) {
  }
  return 0;
}
