// What one printed label shows: the barcode in its symbology, the text under it and the name of
// the item it stands for (empty when the item is not known).
#pragma once

#include <string>
#include <utility>

#include "quillstone/model/Symbology.h"

namespace quillstone {

struct Label {
  Label(std::string barCode, Symbology symbology, std::string name = "", std::string caption = "")
      : barCode(std::move(barCode)), symbology(symbology), name(std::move(name)), caption(std::move(caption)) {}

  // The text under the symbol: `caption` where one is set (a Digital Link's element string),
  // otherwise what the symbol carries, as the encoder reads it out.
  std::string Caption(const std::string& humanReadable) const { return caption.empty() ? humanReadable : caption; }
  // Refuses a label whose texts hold control characters (a tab, a line break): no font draws
  // them, and on a printer they would break the line.
  void CheckPrintable() const;

  std::string barCode;
  Symbology symbology;
  std::string name;
  std::string caption;
};

}  // namespace quillstone
