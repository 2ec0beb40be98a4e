// The `quillstone` command-line program: global options, the subcommands, and the one place where
// failures become exit codes (1 for a failure, 2 for a usage error with the command's help; 3 for GS1
// goods received with a warning).
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/CliError.h"
#include "cli/Session.h"
#include "cli/TerminalText.h"
#include "commands/AssignCommand.h"
#include "commands/DecodeCommand.h"
#include "commands/DemoCommand.h"
#include "commands/EncodeCommand.h"
#include "commands/Gs1Command.h"
#include "commands/GtinCommand.h"
#include "commands/InUseCommand.h"
#include "commands/InitCommand.h"
#include "commands/LabelCommand.h"
#include "commands/ListCommand.h"
#include "commands/RegisterCommand.h"
#include "commands/RegistryChangeCommand.h"
#include "commands/RuleCommand.h"
#include "commands/ScanCommand.h"
#include "commands/ServeCommand.h"
#include "commands/ShowCommand.h"
#include "commands/TokenCommand.h"
#include "commands/VerifyCommand.h"
#include "quillstone/platform/Error.h"
#include "quillstone/platform/Version.h"

using quillstone::cli::Command;
using quillstone::cli::TerminalText;

namespace {

std::vector<std::unique_ptr<Command>> AllCommands() {
  using namespace quillstone::cli;
  std::vector<std::unique_ptr<Command>> all;
  all.push_back(std::make_unique<InitCommand>());
  all.push_back(std::make_unique<RuleCommand>());
  all.push_back(std::make_unique<AssignCommand>());
  all.push_back(std::make_unique<EncodeCommand>());
  all.push_back(std::make_unique<RegisterCommand>());
  all.push_back(std::make_unique<DecodeCommand>());
  all.push_back(std::make_unique<VerifyCommand>());
  all.push_back(std::make_unique<ListCommand>());
  all.push_back(std::make_unique<ShowCommand>());
  all.push_back(std::make_unique<InUseCommand>());
  all.push_back(std::make_unique<RegistryChangeCommand>(RegistryChangeCommand::Change::Abandon));
  all.push_back(std::make_unique<RegistryChangeCommand>(RegistryChangeCommand::Change::Reuse));
  all.push_back(std::make_unique<RegistryChangeCommand>(RegistryChangeCommand::Change::Remove));
  all.push_back(std::make_unique<LabelCommand>());
  all.push_back(std::make_unique<ScanCommand>());
  all.push_back(std::make_unique<Gs1Command>());
  all.push_back(std::make_unique<GtinCommand>());
  all.push_back(std::make_unique<DemoCommand>());
  all.push_back(std::make_unique<TokenCommand>());
  all.push_back(std::make_unique<ServeCommand>());
  return all;
}

// The error, then the help of the (sub)command the user was typing.
int UsageError(const CLI::App& app, const CLI::ParseError& e) {
  std::cerr << "quillstone: " << TerminalText::Message(e.what()) << "\n\n" << app.help();
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Inventory barcodes: rules, assignments, registration, decoding, labels and scanning."};
  app.name("quillstone");
  app.require_subcommand(1);
  app.set_version_flag("--version", quillstone::Version());

  quillstone::cli::GlobalOptions options;
  CLI::Option* db =
      app.add_option("--db", options.db, "Database: sqlite:FILE or postgresql://...")->capture_default_str();
  app.add_option("--user", options.user, "User of the host ERP")->capture_default_str();
  app.add_option("--login-date", options.loginDate, "Business date, yyyy-mm-dd (default: today)");
  app.add_flag("--json", options.json, "Machine-readable output (JSON on standard output)");

  auto commands = AllCommands();
  for (auto& command : commands) command->Attach(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    // --help and --version.
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return UsageError(app, e);
  }
  options.dbGiven = db->count() > 0;

  try {
    quillstone::cli::Session session(options);
    for (auto& command : commands)
      if (command->Chosen()) return command->Run(session);
    return 2;
  } catch (const quillstone::Error& e) {
    std::cerr << TerminalText::Message(e.description()) << '\n';
  } catch (const quillstone::cli::CliError& e) {
    std::cerr << "quillstone: " << TerminalText::Message(e.what()) << '\n';
  } catch (const std::exception& e) {
    std::cerr << "quillstone: " << TerminalText::Message(e.what()) << '\n';
  } catch (...) {
    std::cerr << "quillstone: unexpected failure\n";
  }
  return 1;
}
