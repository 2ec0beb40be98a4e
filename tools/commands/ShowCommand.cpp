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
    throw CliError("条形码'" + barCode_ + "'没有登记（或者用户" + session.options().user + "没有对它的访问权限）");
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
