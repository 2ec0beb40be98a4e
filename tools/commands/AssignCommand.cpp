#include "commands/AssignCommand.h"

#include <iostream>
#include <memory>
#include <vector>

#include "cli/CliError.h"
#include "cli/ItemRights.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {
namespace {

// The condition that selects one assignment by its code, for ListAssigns; the code is bound.
const char* const kById = "RuleAssign.assignId = ?";

// Assignments to classes are not under the data rights on items.
bool IsToItem(const clsRuleAssign& assign) { return dynamic_cast<const clsInventoryAssign*>(&assign) != nullptr; }

}  // namespace

void AssignCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "assign", "Assignments of rules to items and classes");
  app_->require_subcommand(1);

  item_ = AddSubcommand(*app_, "item", "Assign a rule to one inventory item");
  item_->add_option("ITEM", target_, "Inventory code")->required();
  item_->add_option("RULE", ruleId_, "Rule code")->required();
  class_ = AddSubcommand(*app_, "class", "Assign a rule to an inventory class and the items below it");
  class_->add_option("CLASS", target_, "Inventory class code")->required();
  class_->add_option("RULE", ruleId_, "Rule code")->required();
  list_ = AddSubcommand(*app_, "list", "List the assignments");
  filters_.AddTo(*list_, "SQL condition, e.g. \"RuleAssign.ruleId = 'R1'\"");
  remove_ = AddSubcommand(*app_, "remove", "Remove an assignment no barcode was made through");
  remove_->add_option("ID", assignId_, "Assignment code")->required();
  find_ = AddSubcommand(*app_, "find", "The assignment that governs an item: its own, or its nearest class's");
  find_->add_option("ITEM", target_, "Inventory code")->required();
}

int AssignCommand::Run(Session& session) {
  if (item_->parsed()) return Create(session, true);
  if (class_->parsed()) return Create(session, false);
  if (list_->parsed()) return List(session);
  if (remove_->parsed()) return Remove(session);
  return Find(session);
}

int AssignCommand::Create(Session& session, bool toItem) {
  std::shared_ptr<clsRuleAssign> assign;
  if (toItem) {
    auto a = std::make_shared<clsInventoryAssign>();
    a->setInventoryId(target_);
    assign = a;
  } else {
    auto a = std::make_shared<clsInventoryClassAssign>();
    a->setInvClassId(target_);
    assign = a;
  }
  assign->setRuleId(ruleId_);
  session.Rules().CreateAssign(assign);
  // Read back through the list, which carries the names of the rule and of the item or class.
  auto stored = session.Rules().ListAssigns(kById, {Variant(assign->assignId())});
  PrintOne(session, stored->Count() > 0 ? *stored->Item(1) : *assign, "Assigned");
  return 0;
}

void AssignCommand::PrintOne(Session& session, const clsRuleAssign& assign, const std::string& verb) {
  if (session.json()) {
    JsonOutput::Print(RecordView::AssignJson(assign));
    return;
  }
  std::string target = RecordView::AssignTarget(assign);
  const std::string name = RecordView::AssignTargetName(assign);
  if (!name.empty()) target += " " + name;
  std::cout << verb << ": rule " << assign.ruleId() << " (" << assign.ruleName() << ") -> "
            << RecordView::AssignKind(assign) << " " << target << ", assignment " << assign.assignId() << '\n';
}

int AssignCommand::List(Session& session) {
  auto assigns = session.Rules().ListAssigns(filters_.Condition(), filters_.Values());
  ItemRights rights(session);
  std::vector<std::shared_ptr<clsRuleAssign>> shown;
  for (const auto& a : *assigns)
    if (!IsToItem(*a) || rights.CanSee(RecordView::AssignTarget(*a))) shown.push_back(a);
  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& a : shown) doc.push_back(RecordView::AssignJson(*a));
    JsonOutput::Print(doc);
    return 0;
  }
  TablePrinter table({"assignment", "kind", "code", "name", "rule", "rule name"});
  for (const auto& a : shown)
    table.AddRow({a->assignId(), RecordView::AssignKind(*a), RecordView::AssignTarget(*a),
                  RecordView::AssignTargetName(*a), a->ruleId(), a->ruleName()});
  table.Print(std::cout);
  return 0;
}

int AssignCommand::Remove(Session& session) {
  auto stored = session.Rules().ListAssigns(kById, {Variant(assignId_)});
  if (stored->Count() == 0) throw CliError("规则分配'" + assignId_ + "'不存在");
  session.Rules().RemoveAssign(assignId_);
  JsonOutput::Report(session.json(), {{"assignId", assignId_}, {"removed", true}}, "Removed assignment " + assignId_);
  return 0;
}

int AssignCommand::Find(Session& session) {
  ItemRights(session).Require(target_);
  auto assign = session.Rules().FindAssignByInventory(target_);
  if (!assign) {
    if (session.json()) JsonOutput::Print(nullptr);
    throw CliError("存货'" + target_ + "'及其上级存货分类都没有分配条码规则");
  }
  PrintOne(session, *assign, "Item " + target_ + " follows");
  return 0;
}

}  // namespace quillstone::cli
