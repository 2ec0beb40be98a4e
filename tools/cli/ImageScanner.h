// Finds and reads every barcode in a picture (PNG or JPEG) with zxing-cpp, in the symbologies
// labels are printed in, GS1 symbols among them.
#pragma once

#include <string>
#include <vector>

#include "cli/Symbology.h"

namespace quillstone::cli {

class ImageScanner {
 public:
  struct Code {
    std::string text;
    Symbology symbology;
    // As the reader reports it: "]C0" for plain Code 128, "]C1" for GS1-128, "]Q3" for GS1 QR ...
    std::string symbologyIdentifier = {};
    // The symbol carries GS1 data: `text` is then the raw element string, separators included.
    bool gs1 = false;
  };

  // In the order the reader finds them; none found is an empty list, not an error. A picture in
  // which nothing is found is read again as a tiny or tightly cropped symbol would need.
  static std::vector<Code> Scan(const std::string& path);
};

}  // namespace quillstone::cli
