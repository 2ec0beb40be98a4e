#include "commands/ListCommand.h"

#include <iostream>

#include "cli/JsonArrayStream.h"
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
  LabelBatch batch(session);
  JsonArrayStream json(std::cout);
  TablePrinter table({"barcode", "item", "name", "rule", "created", "state"});
  // Rows are printed as they are read and not kept, so a long registry lists in flat memory;
  // with --limit one row past the limit is read, to tell whether more match.
  int shown = 0;
  bool more = false;
  session.BarCodes().ForEachInventoryBarCodeSet(
      filters_.Condition(), filters_.Values(), [&](const std::shared_ptr<clsInventoryBarCodeSet>& set) {
        if (limit_ > 0 && shown == limit_) {
          more = true;
          return false;
        }
        ++shown;
        if (labels_.wanted()) batch.Add(*set);
        if (session.json()) {
          json.Add(RecordView::BarCodeSetJson(*set));
          return true;
        }
        const std::string item = set->invInfo() ? set->invInfo()->inventoryId() : "";
        const std::string name = set->invInfo() ? set->invInfo()->inventoryName() : "";
        table.AddRow({set->barCode(), item, name, set->ruleId(), set->createDate(),
                      set->bAbandon() ? "abandoned" : "normal"});
        if (table.RowCount() == kRowsPerPart) table.Flush(std::cout);
        return true;
      });
  if (session.json()) {
    json.Finish();
  } else {
    table.Flush(std::cout);
    if (more) std::cout << "(the first " << shown << " shown; more registered barcodes match)\n";
  }
  labels_.Finish(session, batch);
  return 0;
}

}  // namespace quillstone::cli
