// The proportions every label is laid out by, whatever draws it (cairo, a printer's ZPL), so a
// printed label and its image agree; in millimetres.
#pragma once

#include <algorithm>

namespace quillstone::LabelMetrics {

constexpr double kPointsPerMm = 72.0 / 25.4;
// Nothing is printed this close to a label's edge, so a cut a little off the line loses nothing.
constexpr double kCutMarginMm = 1.5;
// The symbol's quiet zones are white already, so they may reach closer to the edge than text.
constexpr double kSymbolEdgeMm = 0.5;
// Between the name, the symbol and the text under it.
constexpr double kGapMm = 0.6;

// The name's and the barcode text's font size on a label `heightMm` high: fixed on common
// labels, smaller on low ones so the symbol keeps most of the height.
// Label fonts print Latin letters and digits about this wide for their height, CJK about twice
// as wide (two columns).
constexpr double kColumnWidthPerHeight = 0.55;

inline double NameSizeMm(double heightMm) { return std::min(3.2, heightMm * 0.13); }
inline double CaptionSizeMm(double heightMm) { return std::min(2.6, heightMm * 0.11); }

}  // namespace quillstone::LabelMetrics
