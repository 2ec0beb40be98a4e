#include "commands/VerifyCommand.h"

#include <string>

#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/scanning/clsScanService.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void VerifyCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "verify", "Check a registered barcode against a document's item and properties");
  AddBarCode(*app_, barCode_);
  properties_.AddTo(*app_, true);
  app_->add_flag("--gs1", gs1_, "The text is GS1 data (found by itself for HRI, links and data with <GS>)");
}

int VerifyCommand::Run(Session& session) {
  // GS1 data that is no barcode of this system's GS1 rules is a supplier's label. A document
  // without --item is about the scanned item; an unknown barcode is refused by the library.
  clsScanService service(session.Context());
  const auto answer = service.Identify(barCode_, "", gs1_);
  service.Verify(answer, *properties_.Make(properties_.item()));
  if (answer.kind == clsScanService::Kind::SupplierLabel) return ReportLabel(session, *answer.receipt);
  const std::string item = properties_.hasItem() ? properties_.item() : clsScanService::ItemOf(answer);
  JsonOutput::Report(session.json(), {{"barCode", barCode_}, {"inventoryId", item}, {"verified", true}},
                     "Barcode " + Gs1Input::Visible(barCode_) + " is valid for item " + item);
  return 0;
}

int VerifyCommand::ReportLabel(Session& session, const clsGs1Receiver::Receipt& receipt) {
  const std::string label = receipt.elements.ToHri();
  const std::string item = receipt.invInfo->inventoryId();
  nlohmann::json doc = {{"gs1", label}, {"inventoryId", item}, {"verified", true}};
  if (!receipt.warnings.empty()) doc["warnings"] = Gs1Input::WarningsJson(receipt.warnings);
  JsonOutput::Report(session.json(), doc, "GS1 label " + label + " is valid for item " + item);
  return Gs1Input::WarningExit(receipt, session.json());
}

}  // namespace quillstone::cli
