// The largest picture `scan` decodes. Each decoder asks here with the size its own header reading
// found, before any pixel is decoded, so a small file that unpacks to gigabytes is refused at once
// and no file the decoder would unpack escapes the check.
#pragma once

#include <cstdint>
#include <string>

namespace quillstone {

class ImageSizeLimit {
 public:
  static constexpr uint64_t kMaxPixels = 50'000'000;
  // A picture far longer than wide costs the scan as much as a square one of its longer side.
  static constexpr uint64_t kMaxSide = 20'000;

  // The program's limits; a caller that reads only small pictures (the fuzz target) sets lower ones.
  constexpr ImageSizeLimit() = default;
  constexpr ImageSizeLimit(uint64_t maxPixels, uint64_t maxSide) : maxPixels_(maxPixels), maxSide_(maxSide) {}

  bool Allows(uint64_t width, uint64_t height) const;
  // Raises an Error naming the picture's size and the limits when Allows is false.
  void Require(uint64_t width, uint64_t height, const std::string& name) const;

 private:
  uint64_t maxPixels_ = kMaxPixels;
  uint64_t maxSide_ = kMaxSide;
};

}  // namespace quillstone
