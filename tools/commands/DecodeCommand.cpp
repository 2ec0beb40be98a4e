#include "commands/DecodeCommand.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/ScanReport.h"
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
  // GS1 data is a supplier's label unless it is a barcode registered under this system's GS1 rules.
  const auto answer = clsScanService(session.Context()).Identify(barCode_, ruleId_, gs1_);
  if (answer.kind == clsScanService::Kind::SupplierLabel) return Gs1Input::PrintReceipt(session, *answer.receipt);
  if (!answer.invInfo) throw CliError(ScanReport::NotRegistered(barCode_));
  if (session.json()) {
    JsonOutput::Print({{"barCode", barCode_},
                       {"ruleId", answer.rule->ruleId()},
                       {"invInfo", RecordView::InventoryJson(*answer.invInfo)}});
    return 0;
  }
  std::cout << Gs1Input::Visible(barCode_) << "  rule " << answer.rule->ruleId() << ": " << answer.rule->RuleContent()
            << "\n\n";
  RecordView::PropertyTable(*answer.invInfo).Print(std::cout, 2);
  return 0;
}

}  // namespace quillstone::cli
