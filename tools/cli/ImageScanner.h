// Finds and reads every barcode in a picture with zxing-cpp, in the symbologies labels are
// printed in.
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
  };

  // In the order the reader finds them; none found is an empty list, not an error.
  static std::vector<Code> Scan(const std::string& path);
};

}  // namespace quillstone::cli
