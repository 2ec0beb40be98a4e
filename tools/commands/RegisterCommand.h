// `quillstone register ITEM [properties] [--count N] [--labels FILE.pdf]`: encodes and registers
// barcodes for an item, N of them with successive sequence numbers, and prints their labels.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "cli/LabelSheetOptions.h"
#include "cli/Registrar.h"
#include "commands/Command.h"

namespace quillstone::cli {

class RegisterCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string item_;
  int count_ = 1;
  int chunk_ = Registrar::kDefaultChunk;
  InventoryOptions properties_;
  LabelSheetOptions labels_;
};

}  // namespace quillstone::cli
