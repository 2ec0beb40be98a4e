// `quillstone verify BARCODE [--item ITEM] [properties]`: checks a registered barcode against the
// item and properties a business document is about to use.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class VerifyCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string barCode_;
  InventoryOptions properties_;
};

}  // namespace quillstone::cli
