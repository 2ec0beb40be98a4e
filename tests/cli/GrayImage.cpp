#include "cli/GrayImage.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

namespace quillstone::test {

GrayImage GrayImage::ReadPng(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  GrayImage out;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    ADD_FAILURE() << "cannot read " << path << ": " << image.message;
    return out;
  }
  image.format = PNG_FORMAT_GRAY;
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
    ADD_FAILURE() << "cannot read " << path << ": " << image.message;
    png_image_free(&image);
    return {};
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

std::pair<int, int> GrayImage::DifferingRows(const GrayImage& other) const {
  std::pair<int, int> rows{-1, -1};
  if (width != other.width || height != other.height) return rows;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (std::abs(At(x, y) - other.At(x, y)) > 32) {
        if (rows.first < 0) rows.first = y;
        rows.second = y;
        break;
      }
  return rows;
}

}  // namespace quillstone::test
