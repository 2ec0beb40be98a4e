// A picture read from a PNG file as 8-bit grey levels, the form the barcode reader takes.
#pragma once

#include <string>

#include "cli/GreyPicture.h"

namespace quillstone::cli {

class PngImage {
 public:
  // Any PNG colour type and depth; transparency is composed onto white.
  static GreyPicture Read(const std::string& path);
};

}  // namespace quillstone::cli
