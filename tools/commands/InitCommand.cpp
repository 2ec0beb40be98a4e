#include "commands/InitCommand.h"

#include <iostream>

#include "cli/DatabaseSetup.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/platform/Connection.h"

namespace quillstone::cli {

void InitCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "init", "Create the tables in an empty database");
  app_->add_flag("--demo", demo_, "Also load the demonstration master data, users and rights");
}

int InitCommand::Run(Session& session) {
  auto conn = session.OpenConnection(false);
  DatabaseSetup::Create(*conn, demo_);
  conn->Close();

  if (session.json()) {
    JsonOutput::Print({{"db", session.DbLabel()}, {"tables", true}, {"demo", demo_}});
  } else {
    std::cout << "Created the barcode tables in " << session.DbLabel() << '\n';
    if (demo_) std::cout << "Loaded the demo data set (items P001 ... N001, users admin, clerk, limited, blind)\n";
  }
  return 0;
}

}  // namespace quillstone::cli
