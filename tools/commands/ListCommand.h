// `quillstone list [--filter SQL] [--item|--rule|--batch|--state|--from|--to ...] [--limit N]
// [--labels FILE.pdf]`: the registered barcodes the user may see, and on request their labels.
#pragma once

#include <string>

#include "cli/LabelSheetOptions.h"
#include "cli/ListFilterOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class ListCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  // Table rows held before they are printed: the column widths come from the first part.
  static constexpr std::size_t kRowsPerPart = 1000;

  ListFilterOptions filters_{{"InventoryBarCodeSet.cInvCode", "InventoryBarCodeSet.cRuleId", "InventoryBarCodeSet.cBatch",
                              "InventoryBarCodeSet.bAbandon", "InventoryBarCodeSet.dCreateDate"}};
  int limit_ = 0;
  LabelSheetOptions labels_;
};

}  // namespace quillstone::cli
