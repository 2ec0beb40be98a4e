// `quillstone register ITEM [properties] [--count N]`: encodes and registers barcodes for an item,
// N of them with successive sequence numbers.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class RegisterCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string item_;
  int count_ = 1;
  InventoryOptions properties_;
};

}  // namespace quillstone::cli
