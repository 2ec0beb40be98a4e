#include "commands/EncodeCommand.h"

#include <iostream>

#include "cli/ItemRights.h"
#include "cli/JsonOutput.h"
#include "cli/Registrar.h"
#include "cli/RuleJson.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"

namespace quillstone::cli {

void EncodeCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "encode", "Show the barcode an item's rule makes, without registering it");
  app_->add_option("ITEM", item_, "Inventory code")->required();
  properties_.AddTo(*app_);
}

int EncodeCommand::Run(Session& session) {
  ItemRights(session).Require(item_);
  Registrar registrar(session);
  const auto [plan, info] = registrar.Prepare(item_, properties_);
  auto barCode = registrar.Encode(plan, info);

  if (session.json()) {
    nlohmann::json segments = nlohmann::json::array();
    for (const auto& segment : *barCode->items()) {
      const auto& ruleItem = segment->ruleItem();
      segments.push_back({{"index", ruleItem->index()},
                          {"itemType", RuleJson::TypeName(ruleItem->itemType())},
                          {"sourceName", ruleItem->sourceName()},
                          {"value", segment->value()}});
    }
    JsonOutput::Print({{"barCode", barCode->barCode()},
                       {"ruleId", plan.rule->ruleId()},
                       {"assignId", plan.assign->assignId()},
                       {"segments", segments}});
    return 0;
  }
  std::cout << barCode->barCode() << '\n'
            << "rule " << plan.rule->ruleId() << " (" << plan.rule->ruleName() << "): " << plan.rule->RuleContent()
            << "\n\n";
  TablePrinter table({"index", "segment", "value"});
  table.AlignRight(0);
  for (const auto& segment : *barCode->items())
    table.AddRow({std::to_string(segment->ruleItem()->index()), segment->ruleItem()->sourceName(),
                  "[" + segment->value() + "]"});
  table.Print(std::cout, 2);
  return 0;
}

}  // namespace quillstone::cli
