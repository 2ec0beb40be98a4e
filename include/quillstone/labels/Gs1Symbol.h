// GS1 symbols drawn by zint alone, without a label around them: GS1-128, GS1 DataMatrix and GS1
// QR Code in zint's GS1 mode (zint encodes the separators and the symbol's FNC1 itself), and the
// Digital Link QR Code, written as PNG or SVG. Which symbology is the one Symbology type.
#pragma once

#include <string>

#include "quillstone/model/Symbology.h"

namespace quillstone {
class Gs1ElementString;
}

namespace quillstone {

class Gs1Symbol {
 public:
  // zint's GS1 input: each AI in square brackets. No value can hold a bracket, as brackets are
  // outside GS1's character set.
  static std::string ZintInput(const Gs1ElementString& elements);
  // PNG or SVG by the file's extension; GS1-128 prints the parenthesised text under its bars.
  // `symbology` must carry GS1 data.
  static void Render(const Gs1ElementString& elements, const Symbology& symbology, const std::string& path);
};

}  // namespace quillstone
