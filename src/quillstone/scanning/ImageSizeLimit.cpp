#include "quillstone/scanning/ImageSizeLimit.h"

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool ImageSizeLimit::Allows(uint64_t width, uint64_t height) const {
  return width > 0 && height > 0 && width <= maxSide_ && height <= maxSide_ && width * height <= maxPixels_;
}

void ImageSizeLimit::Require(uint64_t width, uint64_t height, const std::string& name) const {
  if (Allows(width, height)) return;
  RaiseError("图片 '" + name + "' 为 " + std::to_string(width) + " × " + std::to_string(height) +
                 " 像素，超出扫描范围：最多 " + std::to_string(maxPixels_ / 10'000) + " 万像素，每边最多 " +
                 std::to_string(maxSide_) + " 像素");
}

}  // namespace quillstone
