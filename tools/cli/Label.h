// What one printed label shows: the barcode in its symbology, the text under it and the name of
// the item it stands for (empty when the item is not known).
#pragma once

#include <string>
#include <utility>

#include "cli/Symbology.h"

namespace quillstone::cli {

struct Label {
  Label(std::string barCode, Symbology symbology, std::string name = "")
      : barCode(std::move(barCode)), symbology(symbology), name(std::move(name)) {}

  std::string barCode;
  Symbology symbology;
  std::string name;
};

}  // namespace quillstone::cli
