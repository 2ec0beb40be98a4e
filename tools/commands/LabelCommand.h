// `quillstone label BARCODE --out FILE.png|FILE.svg [--rule R]`: prints a barcode label in the
// symbology of its rule, with the barcode text under the symbol.
#pragma once

#include <string>

#include "cli/Gs1LabelOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class LabelCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string barCode_;
  std::string out_;
  std::string ruleId_;
  Gs1LabelOptions gs1_;
};

}  // namespace quillstone::cli
