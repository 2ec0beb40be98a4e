#include "src/quillstone/labels/LabelCaption.h"

#include <cstddef>
#include <cstdlib>

#include "quillstone/labels/LabelMetrics.h"
#include "quillstone/labels/TextWidth.h"

namespace quillstone {

std::vector<std::string> LabelCaption::Lines(const std::string& text, double widthMm, double sizeMm) {
  const double needed = DisplayWidth(text) * LabelMetrics::kColumnWidthPerHeight * sizeMm;
  if (needed <= widthMm || !text.starts_with('(')) return {text};
  // Break before the field that starts nearest the middle.
  std::size_t best = std::string::npos;
  const auto middle = static_cast<long>(text.size() / 2);
  for (std::size_t at = text.find('(', 1); at != std::string::npos; at = text.find('(', at + 1)) {
    if (text[at - 1] == '\\') continue;  // an escaped parenthesis of a value starts no field
    if (best == std::string::npos ||
        std::labs(static_cast<long>(at) - middle) < std::labs(static_cast<long>(best) - middle))
      best = at;
  }
  if (best == std::string::npos) return {text};
  return {text.substr(0, best), text.substr(best)};
}

}  // namespace quillstone
