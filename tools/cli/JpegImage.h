// A picture read from a JPEG file (the way a phone photographs a label) as 8-bit grey levels,
// the form the barcode reader takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillstone::cli {

class JpegImage {
 public:
  // True when the file starts with the JPEG signature.
  static bool IsJpeg(const std::string& path);
  // Colour pictures are converted to grey by the decoder.
  static JpegImage Read(const std::string& path);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace quillstone::cli
