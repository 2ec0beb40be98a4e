// The text under a label's symbol, in lines. A GS1 element string too long for one line at the
// caption's size breaks between two fields onto a second line rather than losing its end; any
// other text keeps one line (and is shortened with "…" where it does not fit).
#pragma once

#include <string>
#include <vector>

namespace quillstone {

class LabelCaption {
 public:
  // `widthMm` is the width the text may take, `sizeMm` the font's em.
  static std::vector<std::string> Lines(const std::string& text, double widthMm, double sizeMm);
};

}  // namespace quillstone
