#include "src/quillstone/scanning/BarExtent.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quillstone {
namespace {

// The picture seen along a symbol (u) and across it (v), so one routine serves both turns.
struct Axes {
  const GreyPicture& picture;
  bool upright;

  uint8_t At(int u, int v) const {
    const auto row = static_cast<std::size_t>(upright ? u : v);
    return picture.pixels[row * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(upright ? v : u)];
  }
  int AlongLimit() const { return upright ? picture.height : picture.width; }
  int AcrossLimit() const { return upright ? picture.width : picture.height; }
};

}  // namespace

PictureBox BarExtent::Of(const GreyPicture& picture, const PictureBox& read, bool upright) {
  const Axes axes{picture, upright};
  const int begin = std::clamp(upright ? read.top : read.left, 0, axes.AlongLimit());
  const int end = std::clamp(upright ? read.bottom : read.right, 0, axes.AlongLimit());
  const int middle = std::clamp(upright ? read.centerX() : read.centerY(), 0, axes.AcrossLimit() - 1);
  const int length = end - begin;
  if (length <= 0) return read;

  uint8_t lo = 255, hi = 0;
  for (int u = begin; u < end; ++u) {
    lo = std::min(lo, axes.At(u, middle));
    hi = std::max(hi, axes.At(u, middle));
  }
  const int threshold = (lo + hi) / 2;
  std::vector<bool> bars(static_cast<std::size_t>(length));
  for (int u = begin; u < end; ++u) bars[static_cast<std::size_t>(u - begin)] = axes.At(u, middle) < threshold;

  // A line of the same symbol differs from the middle one only where blur moves a bar's edge;
  // the caption under it, the next label or blank paper differ in far more places.
  const auto sameBars = [&](int v) {
    int differ = 0;
    for (int u = begin; u < end; ++u)
      differ += (axes.At(u, v) < threshold) != bars[static_cast<std::size_t>(u - begin)];
    return differ * 5 <= length;
  };
  int first = middle;
  while (first > 0 && middle - first < length && sameBars(first - 1)) --first;
  int last = middle + 1;
  while (last < axes.AcrossLimit() && last - middle < length && sameBars(last)) ++last;

  const int quiet = length / 20 + 2;
  const PictureBox cover = upright ? PictureBox{first - 2, begin - quiet, last + 2, end + quiet}
                                   : PictureBox{begin - quiet, first - 2, end + quiet, last + 2};
  return cover.ClippedTo(picture.width, picture.height);
}

}  // namespace quillstone
