#include "commands/DecodeCommand.h"

#include <iostream>

#include "cli/BarCodeReader.h"
#include "cli/Gs1Input.h"
#include "cli/ItemRights.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void DecodeCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "decode", "Decode a barcode into inventory properties");
  AddBarCode(*app_, barCode_);
  app_->add_option("--rule", ruleId_, "Rule to decode by (default: the rule the barcode was registered under)");
  app_->add_flag("--gs1", gs1_, "The text is GS1 data (found by itself for HRI, links and data with <GS>)");
}

int DecodeCommand::Run(Session& session) {
  BarCodeReader reader(session);
  // GS1 data is a supplier's label unless it is a barcode registered under this system's GS1 rules.
  const bool gs1 = gs1_ || (ruleId_.empty() && Gs1Input::LooksLikeGs1(barCode_));
  if (gs1 && (!ruleId_.empty() || !reader.Registered(barCode_))) return Gs1Input::PrintReceived(session, barCode_);
  auto rule = reader.RuleFor(barCode_, ruleId_);
  auto info = reader.Decode(barCode_, rule);
  // A named rule decodes any text: the item it names is shown only within the user's data rights.
  if (!info->inventoryId().empty()) ItemRights(session).Require(info->inventoryId());
  if (session.json()) {
    JsonOutput::Print(
        {{"barCode", barCode_}, {"ruleId", rule->ruleId()}, {"invInfo", RecordView::InventoryJson(*info)}});
    return 0;
  }
  std::cout << Gs1Input::Visible(barCode_) << "  rule " << rule->ruleId() << ": " << rule->RuleContent() << "\n\n";
  RecordView::PropertyTable(*info).Print(std::cout, 2);
  return 0;
}

}  // namespace quillstone::cli
