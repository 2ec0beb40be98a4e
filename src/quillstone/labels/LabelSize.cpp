#include "quillstone/labels/LabelSize.h"

#include <fmt/format.h>

#include <cmath>
#include <cstdlib>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// Reads a positive decimal number at `pos`, moving past it; NaN when there is none.
double ReadNumber(const std::string& text, std::size_t& pos) {
  const char* begin = text.c_str() + pos;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(value) || value <= 0) return NAN;
  pos += static_cast<std::size_t>(end - begin);
  return value;
}

double MillimetresPer(const std::string& unit) {
  if (unit.empty() || unit == "mm") return 1.0;
  if (unit == "cm") return 10.0;
  if (unit == "in") return 25.4;
  return NAN;
}

}  // namespace

LabelSize::LabelSize(double widthMm, double heightMm, int dpi) : widthMm_(widthMm), heightMm_(heightMm), dpi_(dpi) {
  if (dpi <= 0) RaiseError(fmt::format("打印分辨率 {} dpi 无效，应为正数", dpi));
}

std::pair<double, double> LabelSize::ParseLengths(const std::string& text, const std::string& what) {
  const std::string refusal = what + " '" + text + "' 无法识别，应写成如 50x30mm、2x1in 的形式";
  std::size_t pos = 0;
  const double first = ReadNumber(text, pos);
  double second = first;
  if (pos < text.size() && (text[pos] == 'x' || text[pos] == 'X' || text.compare(pos, 2, "×") == 0)) {
    pos += text[pos] == 'x' || text[pos] == 'X' ? 1 : std::string("×").size();
    second = ReadNumber(text, pos);
  }
  const double scale = MillimetresPer(text.substr(pos));
  if (std::isnan(first) || std::isnan(second) || std::isnan(scale)) RaiseError(refusal);
  return {first * scale, second * scale};
}

LabelSize LabelSize::Parse(const std::string& text, int dpi) {
  const auto [w, h] = ParseLengths(text, "标签尺寸");
  // Smaller than a postage stamp or larger than a shipping label is a typing error.
  if (w < 10 || h < 10 || w > 300 || h > 300)
    RaiseError("标签尺寸 '" + text + "' 超出范围：宽和高都应在 10 mm 到 300 mm 之间");
  return LabelSize(w, h, dpi);
}

int LabelSize::Dots(double mm) const { return static_cast<int>(std::floor(mm * dotsPerMm() + 1e-6)); }

std::string LabelSize::Text() const { return fmt::format("{:g}×{:g} mm", widthMm_, heightMm_); }

}  // namespace quillstone
