#include "cli/ImageSizeLimit.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "cli/CliError.h"

namespace quillstone::cli {
namespace {

uint64_t BigEndian(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  uint64_t v = 0;
  for (int k = 0; k < bytes; ++k) v = (v << 8) | b[at + static_cast<std::size_t>(k)];
  return v;
}

// The signature, then the IHDR chunk: length, "IHDR", width, height.
std::optional<ImageSizeLimit::Size> PngSize(const std::vector<unsigned char>& b) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), b.begin())) return std::nullopt;
  if (b[12] != 'I' || b[13] != 'H' || b[14] != 'D' || b[15] != 'R') return std::nullopt;
  return ImageSizeLimit::Size{BigEndian(b, 16, 4), BigEndian(b, 20, 4)};
}

// Markers up to the first start-of-frame, which holds height and width.
std::optional<ImageSizeLimit::Size> JpegSize(const std::vector<unsigned char>& b) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  std::size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return std::nullopt;
    const unsigned char marker = b[at + 1];
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame && at + 9 <= b.size()) return ImageSizeLimit::Size{BigEndian(b, at + 7, 2), BigEndian(b, at + 5, 2)};
    at += 2 + BigEndian(b, at + 2, 2);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ImageSizeLimit::Size> ImageSizeLimit::HeaderSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  // A JPEG's frame header may follow large metadata blocks; 1 MB covers what cameras write.
  std::vector<unsigned char> head(1 << 20);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (auto png = PngSize(head)) return png;
  return JpegSize(head);
}

void ImageSizeLimit::Require(const std::string& path) {
  const auto size = HeaderSize(path);
  if (!size || size->width * size->height <= kMaxPixels) return;
  throw CliError("image '" + path + "' is " + std::to_string(size->width) + " x " + std::to_string(size->height) +
                 " pixels; scan reads pictures of at most " + std::to_string(kMaxPixels / 1'000'000) + " megapixels");
}

}  // namespace quillstone::cli
