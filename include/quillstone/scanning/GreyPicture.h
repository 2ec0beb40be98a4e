// A picture as 8-bit grey levels, row by row, the form the barcode reader takes; PNG and JPEG
// files are read into it.
#pragma once

#include <cstdint>
#include <vector>

namespace quillstone {

struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

}  // namespace quillstone
