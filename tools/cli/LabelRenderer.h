// Renders a barcode label with zint: the symbol in its rule's symbology with the barcode text
// printed under it, as PNG or SVG (chosen by the file's extension).
#pragma once

#include <string>

#include "cli/Symbology.h"

namespace quillstone::cli {

class LabelRenderer {
 public:
  static void Render(const std::string& text, const Symbology& symbology, const std::string& path);

  // The text printed under the symbol. zint's raster font has no Chinese, so a PNG shows "?" for
  // every character outside ASCII; an SVG keeps the text as it is.
  static std::string CaptionFor(const std::string& text, bool raster);
};

}  // namespace quillstone::cli
