// A picture read from a PNG file as 8-bit grey levels, the form the barcode reader takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillstone::cli {

class PngImage {
 public:
  // Any PNG colour type and depth; transparency is composed onto white.
  static PngImage Read(const std::string& path);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace quillstone::cli
