// `quillstone scan IMAGE [--rule R] [--item ITEM] [properties]`: reads every barcode in a PNG or
// JPEG picture, decodes each through its rule (a GS1 symbol by its GTIN) and, when a document's
// properties are given, verifies it.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class ScanCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string image_;
  std::string ruleId_;
  InventoryOptions properties_;
};

}  // namespace quillstone::cli
