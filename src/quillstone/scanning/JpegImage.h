// A picture read from a JPEG file (the way a phone photographs a label) as 8-bit grey levels,
// the form the barcode reader takes.
#pragma once

#include <string>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageSizeLimit.h"

namespace quillstone {

class JpegImage {
 public:
  // True when `bytes` start with the JPEG signature.
  static bool StartsAsJpeg(const std::string& bytes);
  // Colour pictures are converted to grey by the decoder. A picture larger than `limit` allows
  // is refused from its header, before any pixel is decoded.
  static GreyPicture Read(const std::string& path, const ImageSizeLimit& limit = {});
  // The same from the bytes of a JPEG file; `name` names it in messages.
  static GreyPicture Decode(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit = {});
};

}  // namespace quillstone
