// A picture read from a PNG file as 8-bit grey levels, the form the barcode reader takes.
#pragma once

#include <string>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageSizeLimit.h"

namespace quillstone {

class PngImage {
 public:
  // True when `bytes` start with the PNG signature.
  static bool IsPng(const std::string& bytes);
  // Any PNG colour type and depth; transparency is composed onto white. A picture larger than
  // `limit` allows is refused from its header, before any pixel is decoded.
  static GreyPicture Read(const std::string& path, const ImageSizeLimit& limit = {});
  // The same from the bytes of a PNG file; `name` names it in messages.
  static GreyPicture Decode(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit = {});
};

}  // namespace quillstone
