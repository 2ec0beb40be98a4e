// `quillstone decode BARCODE [--rule R]`: cuts a barcode into segments by its rule and shows the
// inventory properties they stand for. GS1 data (`--gs1`, or recognisably GS1) is received
// instead: its GTIN names the item.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class DecodeCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string barCode_;
  std::string ruleId_;
  bool gs1_ = false;
};

}  // namespace quillstone::cli
