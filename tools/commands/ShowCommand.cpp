#include "commands/ShowCommand.h"

#include <iostream>

#include "cli/BarCodeReader.h"
#include "cli/CliError.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void ShowCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "show", "Show a registered barcode");
  AddBarCode(*app_, barCode_);
}

int ShowCommand::Run(Session& session) {
  auto set = BarCodeReader(session).Registered(barCode_);
  if (!set)
    throw CliError("barcode '" + barCode_ + "' is not registered (or not visible to " + session.options().user + ")");
  if (session.json()) {
    JsonOutput::Print(RecordView::BarCodeSetJson(*set));
    return 0;
  }
  std::cout << "Barcode " << set->barCode() << '\n'
            << "  rule:       " << set->ruleId() << '\n'
            << "  assignment: " << set->assignId() << '\n'
            << "  created:    " << set->createDate() << '\n'
            << "  state:      " << (set->bAbandon() ? "abandoned" : "normal") << "\n\n";
  if (set->invInfo()) RecordView::PropertyTable(*set->invInfo()).Print(std::cout, 2);
  return 0;
}

}  // namespace quillstone::cli
