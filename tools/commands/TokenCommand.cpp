#include "commands/TokenCommand.h"

#include <iostream>

#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/service/TokenStore.h"

namespace quillstone::cli {
namespace {

// The tokens of the database of --db, which must exist: a mistyped path is not made a database.
std::unique_ptr<service::TokenStore> Tokens(Session& session) {
  session.OpenConnection(true)->Close();
  return std::make_unique<service::TokenStore>(session.options().db);
}

}  // namespace

void TokenCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "token", "Bearer tokens of `quillstone serve`");
  app_->require_subcommand(1);
  create_ = AddSubcommand(*app_, "create", "Make a token for a user of the host and print it (once)");
  create_->add_option("USER", user_, "User of the host ERP")->required();
  create_->add_option("--expires", expires_, "Days until the token expires (default: never)")
      ->check(CLI::Range(1, 36500));
  list_ = AddSubcommand(*app_, "list", "List the tokens (never the tokens themselves)");
  revoke_ = AddSubcommand(*app_, "revoke", "Revoke a token by its id");
  revoke_->add_option("ID", id_, "Token id, as `token list` shows it")->required();
}

int TokenCommand::Run(Session& session) {
  if (create_->parsed()) return Create(session);
  if (list_->parsed()) return List(session);
  return Revoke(session);
}

int TokenCommand::Create(Session& session) {
  const auto expires = create_->get_option("--expires")->count() > 0 ? std::optional<int>(expires_) : std::nullopt;
  const auto created = Tokens(session)->Create(user_, expires);
  JsonOutput::Report(session.json(), {{"id", created.id}, {"user", user_}, {"token", created.token}}, created.token);
  if (!session.json()) std::cerr << "token " << created.id << " for " << user_ << ": keep it now, it is not shown again\n";
  return 0;
}

int TokenCommand::List(Session& session) {
  const auto all = Tokens(session)->List();
  if (session.json()) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& t : all)
      list.push_back({{"id", t.id}, {"user", t.user}, {"created", t.created}, {"expires", t.expires}, {"revoked", t.revoked}});
    JsonOutput::Print(list);
    return 0;
  }
  TablePrinter table({"id", "user", "created", "expires", "revoked"});
  for (const auto& t : all) table.AddRow({t.id, t.user, t.created, t.expires, t.revoked ? "yes" : ""});
  table.Print(std::cout);
  return 0;
}

int TokenCommand::Revoke(Session& session) {
  Tokens(session)->Revoke(id_);
  JsonOutput::Report(session.json(), {{"id", id_}, {"revoked", true}}, "Token " + id_ + " revoked");
  return 0;
}

}  // namespace quillstone::cli
