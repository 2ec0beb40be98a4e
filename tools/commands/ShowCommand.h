// `quillstone show BARCODE`: one registry entry with the properties stored for it.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class ShowCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string barCode_;
};

}  // namespace quillstone::cli
