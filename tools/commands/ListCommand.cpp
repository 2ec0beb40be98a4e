#include "commands/ListCommand.h"

#include <iostream>

#include "cli/JsonOutput.h"
#include "cli/LabelBatch.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void ListCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "list", "List registered barcodes");
  filters_.AddTo(*app_, "SQL condition on InventoryBarCodeSet joined with Inventory, e.g. \"cRuleId = 'R1'\"");
  app_->add_option("--limit", limit_, "Show at most N barcodes (N >= 1)")->check(CLI::Range(1, 1'000'000'000));
  labels_.AddTo(*app_, true);
}

int ListCommand::Run(Session& session) {
  labels_.Check();
  auto sets = session.BarCodes().ListInventoryBarCodeSets(filters_.Condition(), filters_.Values());
  const int total = sets->Count();
  const int shown = limit_ > 0 && limit_ < total ? limit_ : total;
  LabelBatch batch(session);
  if (labels_.wanted())
    for (int i = 1; i <= shown; ++i) batch.Add(*sets->Item(i));

  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (int i = 1; i <= shown; ++i) doc.push_back(RecordView::BarCodeSetJson(*sets->Item(i)));
    JsonOutput::Print(doc);
    labels_.Finish(session, batch);
    return 0;
  }
  TablePrinter table({"barcode", "item", "name", "rule", "created", "state"});
  for (int i = 1; i <= shown; ++i) {
    const auto& set = *sets->Item(i);
    const std::string item = set.invInfo() ? set.invInfo()->inventoryId() : "";
    const std::string name = set.invInfo() ? set.invInfo()->inventoryName() : "";
    table.AddRow({set.barCode(), item, name, set.ruleId(), set.createDate(), set.bAbandon() ? "abandoned" : "normal"});
  }
  table.Print(std::cout);
  if (shown < total) std::cout << "(" << shown << " of " << total << " shown)\n";
  labels_.Finish(session, batch);
  return 0;
}

}  // namespace quillstone::cli
