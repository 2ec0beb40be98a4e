#include "commands/RuleCommand.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/JsonOutput.h"
#include "cli/RuleJson.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone::cli {
namespace {

// A rule read from a file has no source names yet; the stored ones come from the item sources.
void NameItems(Session& session, clsBarCodeRule& rule) {
  for (const auto& item : *rule.ruleItems())
    item->setSourceName(session.Sources().GetItemSource(item->itemType())->sourceName());
}

}  // namespace

void RuleCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "rule", "Barcode rules");
  app_->require_subcommand(1);

  list_ = AddSubcommand(*app_, "list", "List the rules");
  filters_.AddTo(*list_, "SQL condition on table BarCodeRule, e.g. \"ruleId like 'R%'\"");
  show_ = AddSubcommand(*app_, "show", "Show one rule: its content and its items");
  show_->add_option("RULE", ruleId_, "Rule code")->required();
  types_ = AddSubcommand(*app_, "types", "List the barcode symbology types a rule may name");
  create_ = AddSubcommand(*app_, "create", "Create a rule from a JSON file (- reads standard input)");
  create_->add_option("FILE", file_, "Rule file")->required();
  save_ = AddSubcommand(*app_, "save", "Save changes to a rule from a JSON file (the rule code is the key)");
  save_->add_option("FILE", file_, "Rule file")->required();
  remove_ = AddSubcommand(*app_, "remove", "Remove a rule that nothing uses");
  remove_->add_option("RULE", ruleId_, "Rule code")->required();
  check_ = AddSubcommand(*app_, "check", "Validate a rule file without storing it");
  check_->add_option("FILE", file_, "Rule file")->required();
}

int RuleCommand::Run(Session& session) {
  if (list_->parsed()) return List(session);
  if (show_->parsed()) return Show(session);
  if (types_->parsed()) return Types(session);
  if (create_->parsed()) return Store(session, true);
  if (save_->parsed()) return Store(session, false);
  if (remove_->parsed()) return Remove(session);
  return Check(session);
}

int RuleCommand::List(Session& session) {
  auto rules = session.Rules().ListRules(filters_.Condition(), filters_.Values());
  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& rule : *rules) doc.push_back(RuleJson::ToJson(*rule));
    JsonOutput::Print(doc);
    return 0;
  }
  TablePrinter table({"rule", "name", "type", "length", "content"});
  table.AlignRight(3);
  for (const auto& rule : *rules)
    table.AddRow(
        {rule->ruleId(), rule->ruleName(), rule->barCodeType(), std::to_string(rule->length()), rule->RuleContent()});
  table.Print(std::cout);
  return 0;
}

int RuleCommand::Show(Session& session) {
  auto rule = session.Rules().LoadRule(ruleId_);
  if (!rule) throw CliError("条码规则'" + ruleId_ + "'不存在");
  if (session.json()) {
    JsonOutput::Print(RuleJson::ToJson(*rule));
    return 0;
  }
  std::cout << "Rule " << rule->ruleId() << "  " << rule->ruleName() << '\n'
            << "  type:        " << rule->barCodeType() << '\n'
            << "  length:      " << rule->length() << '\n';
  if (!rule->description().empty()) std::cout << "  description: " << rule->description() << '\n';
  std::cout << "  content:     " << rule->RuleContent() << "\n\n";
  TablePrinter items({"index", "start", "length", "itemType", "source", "relevantValue"});
  for (std::size_t c : {0u, 1u, 2u}) items.AlignRight(c);
  for (const auto& item : *rule->ruleItems())
    items.AddRow({std::to_string(item->index()), std::to_string(item->start()), std::to_string(item->length()),
                  RuleJson::TypeName(item->itemType()), item->sourceName(), item->relevantValue()});
  items.Print(std::cout, 2);
  return 0;
}

int RuleCommand::Types(Session& session) {
  auto types = session.Rules().ListBarCodeTypes();
  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& t : *types)
      doc.push_back({{"typeId", t->typeId()}, {"typeName", t->typeName()}, {"length", t->length()}});
    JsonOutput::Print(doc);
    return 0;
  }
  TablePrinter table({"typeId", "typeName", "length"});
  table.AlignRight(0);
  table.AlignRight(2);
  for (const auto& t : *types) table.AddRow({std::to_string(t->typeId()), t->typeName(), std::to_string(t->length())});
  table.Print(std::cout);
  return 0;
}

int RuleCommand::Store(Session& session, bool create) {
  auto rule = RuleJson::ReadFile(file_);
  if (create) {
    session.Rules().CreateRule(rule);
  } else {
    if (!session.Rules().LoadRule(rule->ruleId()))
      throw CliError("条码规则'" + rule->ruleId() + "'不存在；请用`quillstone rule create`创建它");
    session.Rules().SaveRule(rule);
  }
  auto stored = session.Rules().LoadRule(rule->ruleId());
  if (!stored) throw CliError("条码规则'" + rule->ruleId() + "'没有保存");
  JsonOutput::Report(
      session.json(), RuleJson::ToJson(*stored),
      std::string(create ? "Created" : "Saved") + " rule " + stored->ruleId() + ": " + stored->RuleContent());
  return 0;
}

int RuleCommand::Remove(Session& session) {
  if (!session.Rules().LoadRule(ruleId_)) throw CliError("条码规则'" + ruleId_ + "'不存在");
  session.Rules().RemoveRule(ruleId_);
  JsonOutput::Report(session.json(), {{"ruleId", ruleId_}, {"removed", true}}, "Removed rule " + ruleId_);
  return 0;
}

int RuleCommand::Check(Session& session) {
  auto rule = RuleJson::ReadFile(file_);
  NameItems(session, *rule);
  // A refusal raises; false comes back only for a failure that carried no message.
  if (!session.Rules().VerifyRule(rule)) throw CliError("条码规则'" + rule->ruleId() + "'无效");
  JsonOutput::Report(session.json(), {{"ruleId", rule->ruleId()}, {"valid", true}, {"content", rule->RuleContent()}},
                     "Rule " + rule->ruleId() + " is valid: " + rule->RuleContent());
  return 0;
}

}  // namespace quillstone::cli
