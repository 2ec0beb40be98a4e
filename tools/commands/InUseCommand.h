// `quillstone in-use BARCODE`: whether business documents already refer to a registered barcode.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class InUseCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string barCode_;
};

}  // namespace quillstone::cli
