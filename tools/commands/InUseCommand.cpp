#include "commands/InUseCommand.h"

#include <string>

#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"

namespace quillstone::cli {

void InUseCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "in-use", "Tell whether documents use a registered barcode");
  AddBarCode(*app_, barCode_);
}

int InUseCommand::Run(Session& session) {
  const bool inUse = session.BarCodes().IsInUse(barCode_);
  JsonOutput::Report(session.json(), {{"barCode", barCode_}, {"inUse", inUse}},
                     "Barcode " + Gs1Input::Visible(barCode_) + (inUse ? " is used by documents" : " is not used by any document"));
  return 0;
}

}  // namespace quillstone::cli
