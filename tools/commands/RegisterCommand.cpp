#include "commands/RegisterCommand.h"

#include <iostream>
#include <memory>
#include <vector>

#include "cli/JsonOutput.h"
#include "cli/LabelBatch.h"
#include "cli/ProgressBar.h"
#include "cli/RecordView.h"
#include "cli/Registrar.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void RegisterCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "register", "Encode and register barcodes for an item");
  app_->add_option("ITEM", item_, "Inventory code")->required();
  app_->add_option("--count", count_, "How many barcodes to register")->check(CLI::Range(1, 100000));
  app_->add_option("--chunk", chunk_, "Barcodes stored per transaction, each chunk whole or not at all (default 10000)")
      ->check(CLI::Range(1, 100000));
  properties_.AddTo(*app_);
  labels_.AddTo(*app_, true);
}

int RegisterCommand::Run(Session& session) {
  labels_.Check();
  Registrar registrar(session);
  const auto [plan, info] = registrar.Prepare(item_, properties_);

  std::vector<std::shared_ptr<clsInventoryBarCodeSet>> sets;
  ProgressBar bar("registering", count_, !session.json() && ProgressBar::StdoutIsTerminal());
  try {
    registrar.Register(plan, info, count_, chunk_, [&](const std::shared_ptr<clsInventoryBarCodeSet>& set) {
      sets.push_back(set);
      bar.Step();
    });
  } catch (...) {
    bar.Finish();
    if (!sets.empty()) {
      std::cerr << "Registered " << sets.size() << " of " << count_ << " barcodes before the failure:";
      for (const auto& set : sets) std::cerr << ' ' << set->barCode();
      std::cerr << '\n';
    }
    throw;
  }
  bar.Finish();
  LabelBatch batch(session);
  if (labels_.wanted())
    for (const auto& set : sets) batch.Add(*set);

  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& set : sets) doc.push_back(RecordView::BarCodeSetJson(*set));
    JsonOutput::Print(doc);
    labels_.Finish(session, batch);
    return 0;
  }
  std::cout << "Registered " << sets.size() << (sets.size() == 1 ? " barcode" : " barcodes") << " for " << item_ << ' '
            << info->inventoryName() << " with rule " << plan.rule->ruleId() << " (" << plan.rule->ruleName() << ")\n";
  TablePrinter table({"barcode", "created"});
  for (const auto& set : sets) table.AddRow({set->barCode(), set->createDate()});
  table.Print(std::cout, 2);
  labels_.Finish(session, batch);
  return 0;
}

}  // namespace quillstone::cli
