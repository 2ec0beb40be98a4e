// A picture read from a JPEG file (the way a phone photographs a label) as 8-bit grey levels,
// the form the barcode reader takes.
#pragma once

#include <string>

#include "cli/GreyPicture.h"

namespace quillstone::cli {

class JpegImage {
 public:
  // True when the file starts with the JPEG signature.
  static bool IsJpeg(const std::string& path);
  // Colour pictures are converted to grey by the decoder.
  static GreyPicture Read(const std::string& path);
};

}  // namespace quillstone::cli
