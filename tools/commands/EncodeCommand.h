// `quillstone encode ITEM [properties]`: shows the barcode the item's rule makes for the given
// properties, segment by segment, without registering it (sequence numbers are not drawn).
#pragma once

#include <string>

#include "cli/InventoryOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class EncodeCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string item_;
  InventoryOptions properties_;
};

}  // namespace quillstone::cli
