// `quillstone scan IMAGE [--rule R] [--item ITEM] [properties]`: reads every barcode in a PNG or
// JPEG picture, decodes each through its rule (a GS1 symbol by its GTIN) and, when a document's
// properties are given, verifies it.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "cli/ScanReport.h"
#include "commands/Command.h"

namespace quillstone::cli {

class ScanCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  // A failed verification becomes the line's error: one refused code does not hide the others.
  static void Verify(clsScanService& service, const clsInventoryInfo& document, ScanReport::Line& line);

  std::string image_;
  std::string ruleId_;
  InventoryOptions properties_;
};

}  // namespace quillstone::cli
