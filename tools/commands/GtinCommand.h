// `quillstone gtin add GTIN ITEM --unit UNIT --quantity N | list [--item ITEM] | remove GTIN`:
// the GTINs of items' packaging levels (cartons, cases), so receiving a carton's label finds the
// item and counts it in base units.
#pragma once

#include <cstdint>
#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class GtinCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  CLI::App* add_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* remove_ = nullptr;
  std::string gtin_;
  std::string item_;
  std::string unit_;
  int64_t quantity_ = 0;
};

}  // namespace quillstone::cli
