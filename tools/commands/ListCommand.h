// `quillstone list [--filter SQL] [--limit N]`: the registered barcodes the user may see.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class ListCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string filter_;
  int limit_ = 0;
};

}  // namespace quillstone::cli
