// A rectangle of a picture in whole pixels, right and bottom excluded: a part to read, or where a
// symbol was seen.
#pragma once

#include <algorithm>

namespace quillstone {

struct PictureBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  int centerX() const { return (left + right) / 2; }
  int centerY() const { return (top + bottom) / 2; }

  PictureBox Grown(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  PictureBox ClippedTo(int width, int height) const {
    return {std::clamp(left, 0, width), std::clamp(top, 0, height), std::clamp(right, 0, width),
            std::clamp(bottom, 0, height)};
  }
  bool Overlaps(const PictureBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool operator==(const PictureBox&) const = default;
};

}  // namespace quillstone
