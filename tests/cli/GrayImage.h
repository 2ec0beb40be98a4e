// A picture read back as grey levels, so tests can compare what two labels show where.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace quillstone::test {

struct GrayImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // row by row, 0 black to 255 white

  // A failure to read fails the test and leaves the image empty.
  static GrayImage ReadPng(const std::filesystem::path& path);

  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // The rows in which the two images differ by more than a shade, first and last; {-1, -1} when
  // they are alike (or not the same size).
  std::pair<int, int> DifferingRows(const GrayImage& other) const;
};

}  // namespace quillstone::test
