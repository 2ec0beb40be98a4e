// How far the bars of a bar code reach beyond the scan lines that read it: the reader reports
// only those lines, and the whole symbol is what must be painted over before the next read.
#pragma once

#include "quillstone/scanning/GreyPicture.h"
#include "src/quillstone/scanning/PictureBox.h"

namespace quillstone {

class BarExtent {
 public:
  // `read` is where the reader saw the symbol; `upright` when its bars run across the picture.
  // The box covers every line, above and below (or left and right), that shows the same pattern
  // of bars, plus a quiet zone at both ends.
  static PictureBox Of(const GreyPicture& picture, const PictureBox& read, bool upright);
};

}  // namespace quillstone
