#include "cli/LabelBatch.h"

#include "cli/BarCodeReader.h"
#include "cli/CliError.h"
#include "cli/Session.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {

Symbology LabelBatch::SymbologyOf(const std::string& ruleId) {
  if (const auto known = symbologies_.find(ruleId); known != symbologies_.end()) return known->second;
  auto rule = session_.Rules().LoadRule(ruleId);
  if (!rule) throw CliError("条码规则 '" + ruleId + "' 不存在");
  return symbologies_.emplace(ruleId, Symbology::ForRule(*rule, *session_.Rules().ListBarCodeTypes())).first->second;
}

void LabelBatch::Add(const clsInventoryBarCodeSet& set) {
  labels_.emplace_back(set.barCode(), SymbologyOf(set.ruleId()), set.invInfo() ? set.invInfo()->inventoryName() : "");
  ruleIds_.push_back(set.ruleId());
}

void LabelBatch::Add(const std::string& barCode, const std::string& ruleId) {
  BarCodeReader reader(session_);
  const auto set = reader.Registered(barCode);
  if (set && ruleId.empty()) return Add(*set);
  // Without a rule an unregistered barcode is refused here, saying to name one.
  auto rule = reader.RuleFor(barCode, ruleId);
  std::string name;
  if (set) {
    name = set->invInfo() ? set->invInfo()->inventoryName() : "";
  } else {
    // A barcode that does not decode by the rule still gets its label, without a name: printing
    // a trial label comes before the barcode is registered.
    try {
      name = reader.Decode(barCode, rule)->inventoryName();
    } catch (const Error&) {
    }
  }
  labels_.emplace_back(barCode, SymbologyOf(rule->ruleId()), name);
  ruleIds_.push_back(rule->ruleId());
}

void LabelBatch::AddLabel(Label label) {
  labels_.push_back(std::move(label));
  ruleIds_.emplace_back();
}

}  // namespace quillstone::cli
