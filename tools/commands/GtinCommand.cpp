#include "commands/GtinCommand.h"

#include <iostream>

#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/barcodes/clsTradeItemGtins.h"

namespace quillstone::cli {
namespace {

nlohmann::json LevelJson(const clsTradeItemGtins::Level& level) {
  return {{"gtin", level.gtin},         {"inventoryId", level.inventoryId}, {"inventoryName", level.inventoryName},
          {"unitId", level.unitId},     {"unitName", level.unitName},       {"quantity", level.quantity}};
}

}  // namespace

void GtinCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "gtin", "Keep the GTINs of items' packaging levels (cartons, cases)");
  app_->require_subcommand(1);
  add_ = app_->add_subcommand("add", "Add a packaging level: its GTIN, the item, its unit and how many base units it holds");
  add_->add_option("GTIN", gtin_, "GTIN-14 of the packaging level (GTIN-8, -12 and -13 are led by zeros)")->required();
  add_->add_option("ITEM", item_, "Inventory code of the item it holds")->required();
  add_->add_option("--unit", unit_, "Unit of measure (a ComputationUnit code), e.g. the carton")->required();
  add_->add_option("--quantity", quantity_, "Base units in one")->required()->check(CLI::Range(int64_t{1}, int64_t{1000000000}));
  list_ = app_->add_subcommand("list", "List the packaging levels of the items you may see");
  list_->add_option("--item", item_, "Only this item's");
  remove_ = app_->add_subcommand("remove", "Remove a packaging level");
  remove_->add_option("GTIN", gtin_, "Its GTIN")->required();
  for (CLI::App* sub : {add_, list_, remove_}) sub->fallthrough();
}

int GtinCommand::Run(Session& session) {
  clsTradeItemGtins gtins(session.Context());
  if (add_->parsed()) {
    const auto level = gtins.Add(gtin_, item_, unit_, quantity_);
    JsonOutput::Report(session.json(), LevelJson(level),
                       "Added packaging level " + level.gtin + " of item " + level.inventoryId + ": 1 " +
                           (level.unitName.empty() ? level.unitId : level.unitName) + " = " +
                           std::to_string(level.quantity) + " base units");
    return 0;
  }
  if (remove_->parsed()) {
    const std::string gtin = clsTradeItemGtins::Gtin14(gtin_);
    gtins.Remove(gtin_);
    JsonOutput::Report(session.json(), {{"gtin", gtin}, {"removed", true}}, "Removed packaging level " + gtin);
    return 0;
  }
  const auto levels = gtins.List(item_);
  if (session.json()) {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& level : levels) out.push_back(LevelJson(level));
    JsonOutput::Print(out);
    return 0;
  }
  TablePrinter table({"gtin", "item", "name", "unit", "quantity"});
  for (const auto& level : levels)
    table.AddRow({level.gtin, level.inventoryId, level.inventoryName,
                  level.unitName.empty() ? level.unitId : level.unitName, std::to_string(level.quantity)});
  table.Print(std::cout, 0);
  return 0;
}

}  // namespace quillstone::cli
