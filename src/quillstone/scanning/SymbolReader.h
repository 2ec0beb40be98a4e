// The one way the program calls zxing-cpp: every read goes through here, with options that keep
// the reader away from the path where it aborts the process (see SymbolReader.cpp).
#pragma once

#include <optional>
#include <vector>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageScanner.h"
#include "src/quillstone/scanning/PictureBox.h"

namespace quillstone {

class SymbolReader {
 public:
  struct Found {
    ImageScanner::Code code;
    // Where the reader saw the symbol, in the picture's pixels. For a bar code only the scan
    // lines that agreed, not the whole height of its bars.
    PictureBox box;
    // A bar code read across its bars from top to bottom (turned a quarter), not from left to right.
    bool upright = false;
  };

  // At most one Code 128, EAN-13 or Code 39 symbol in `area` of the picture; `thorough` also
  // reads smaller copies of it, which a large noisy photo needs and a page does not.
  static std::optional<Found> OneLinear(const GreyPicture& picture, const PictureBox& area, bool thorough);
  // QR Code symbols (all of them) in `area`.
  static std::vector<Found> QrCodes(const GreyPicture& picture, const PictureBox& area);
  // At most one Data Matrix symbol, one that a line through the middle of `area` (across or
  // down) crosses. `thorough` also tries the slower detector and smaller copies of the area;
  // `every` > 1 reads only every so many pixels across and down, for a picture of many pixels.
  static std::optional<Found> OneDataMatrix(const GreyPicture& picture, const PictureBox& area, bool thorough,
                                            int every = 1);
  // The whole picture taken as one symbol of any symbology and nothing else, as a generated
  // picture is.
  static std::optional<Found> Pure(const GreyPicture& picture);
};

}  // namespace quillstone
