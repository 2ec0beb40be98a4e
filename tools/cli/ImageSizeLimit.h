// The largest picture `scan` decodes. The size is read from the file's header before any pixel is
// decoded, so a small file that unpacks to gigabytes is refused at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillstone::cli {

class ImageSizeLimit {
 public:
  static constexpr uint64_t kMaxPixels = 50'000'000;

  struct Size {
    uint64_t width = 0;
    uint64_t height = 0;
  };

  // Width and height from a PNG or JPEG header; nothing for another kind of file (its reader
  // reports it) or a header cut short.
  static std::optional<Size> HeaderSize(const std::string& path);
  // Throws CliError naming the size when the picture has more than kMaxPixels pixels.
  static void Require(const std::string& path);
};

}  // namespace quillstone::cli
