#include "commands/RegistryChangeCommand.h"

#include <string>

#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"

namespace quillstone::cli {
namespace {

struct Words {
  const char* name;
  const char* help;
  const char* done;
};

Words WordsFor(RegistryChangeCommand::Change change) {
  switch (change) {
    case RegistryChangeCommand::Change::Abandon:
      return {"abandon", "Seal a barcode so documents can no longer use it", "abandoned"};
    case RegistryChangeCommand::Change::Reuse:
      return {"reuse", "Unseal an abandoned barcode", "reused"};
    case RegistryChangeCommand::Change::Remove:
      return {"remove", "Delete a registered barcode no document uses", "removed"};
  }
  return {"", "", ""};
}

}  // namespace

void RegistryChangeCommand::Attach(CLI::App& parent) {
  const Words words = WordsFor(change_);
  app_ = AddSubcommand(parent, words.name, words.help);
  AddBarCode(*app_, barCode_);
}

int RegistryChangeCommand::Run(Session& session) {
  auto& barCodes = session.BarCodes();
  switch (change_) {
    case Change::Abandon:
      barCodes.AbandonBarCode(barCode_);
      break;
    case Change::Reuse:
      barCodes.ReuseBarCode(barCode_);
      break;
    case Change::Remove:
      barCodes.RemoveBarCode(barCode_);
      break;
  }
  const Words words = WordsFor(change_);
  JsonOutput::Report(session.json(), {{"barCode", barCode_}, {words.done, true}},
                     "Barcode " + Gs1Input::Visible(barCode_) + " " + words.done);
  return 0;
}

}  // namespace quillstone::cli
