#include "commands/VerifyCommand.h"

#include <string>

#include "cli/BarCodeReader.h"
#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void VerifyCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "verify", "Check a registered barcode against a document's item and properties");
  AddBarCode(*app_, barCode_);
  properties_.AddTo(*app_, true);
  app_->add_flag("--gs1", gs1_, "The text is GS1 data (found by itself for HRI, links and data with <GS>)");
}

int VerifyCommand::Run(Session& session) {
  // GS1 data that is no barcode of this system's GS1 rules is a supplier's label.
  if ((gs1_ || Gs1Input::LooksLikeGs1(barCode_)) && !BarCodeReader(session).Registered(barCode_))
    return VerifyGs1(session);
  std::string item = properties_.item();
  if (!properties_.hasItem()) {
    // Without --item the document is taken to be about the registered item; an unknown barcode
    // is left to the library, which names it in its refusal.
    auto set = BarCodeReader(session).Registered(barCode_);
    if (set && set->invInfo()) item = set->invInfo()->inventoryId();
  }
  auto info = properties_.Make(item);
  session.BarCodes().VerifyBarCodeSet(barCode_, info);
  JsonOutput::Report(session.json(), {{"barCode", barCode_}, {"inventoryId", item}, {"verified", true}},
                     "Barcode " + Gs1Input::Visible(barCode_) + " is valid for item " + item);
  return 0;
}

int VerifyCommand::VerifyGs1(Session& session) {
  const auto receipt = Gs1Input::Receive(session, barCode_);
  Gs1Input::Verify(*receipt.invInfo, *properties_.Make(properties_.item()));
  const std::string label = receipt.elements.ToHri();
  const std::string item = receipt.invInfo->inventoryId();
  nlohmann::json doc = {{"gs1", label}, {"inventoryId", item}, {"verified", true}};
  if (!receipt.warnings.empty()) doc["warnings"] = Gs1Input::WarningsJson(receipt.warnings);
  JsonOutput::Report(session.json(), doc, "GS1 label " + label + " is valid for item " + item);
  return Gs1Input::WarningExit(receipt, session.json());
}

}  // namespace quillstone::cli
