// Finds and reads every barcode in a picture (PNG or JPEG) with zxing-cpp, in the symbologies
// labels are printed in, GS1 symbols among them.
#pragma once

#include <string>
#include <vector>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageSizeLimit.h"
#include "quillstone/model/Symbology.h"

namespace quillstone {

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

  // What one step of a scan cost, for measuring it.
  struct Pass {
    std::string name;
    double milliseconds = 0;
    int found = 0;
  };

  // Every symbol in the picture, each once, in reading order: row by row from the top, left to
  // right within a row. None found is an empty list, not an error; a file that is no readable
  // picture, or one too large, is an Error. `passes`, when given, receives each step's cost.
  static std::vector<Code> Scan(const std::string& path, std::vector<Pass>* passes = nullptr);
  // The same for the bytes of a PNG or JPEG file held in memory; `name` names it in messages.
  static std::vector<Code> ScanBytes(const std::string& bytes, const std::string& name,
                                     const ImageSizeLimit& limit = {}, std::vector<Pass>* passes = nullptr);
  static std::vector<Code> Scan(const GreyPicture& picture, std::vector<Pass>* passes = nullptr);
};

}  // namespace quillstone
