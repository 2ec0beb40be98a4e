// `quillstone verify BARCODE [--item ITEM] [properties]`: checks a registered barcode against the
// item and properties a business document is about to use; a supplier's GS1 label is received and
// its item, batch and dates checked instead.
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "quillstone/barcodes/clsGs1Receiver.h"
#include "commands/Command.h"

namespace quillstone::cli {

class VerifyCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  // What a verified supplier's label says; the exit code (3 when the label warns).
  static int ReportLabel(Session& session, const clsGs1Receiver::Receipt& receipt);

  std::string barCode_;
  InventoryOptions properties_;
  bool gs1_ = false;
};

}  // namespace quillstone::cli
