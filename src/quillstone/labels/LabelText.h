// One line of label text laid out by pango in the packaged CJK font, so Chinese item names print
// as themselves; a character no installed font has is refused rather than printed as a box.
#pragma once

#include <pango/pango.h>

#include <string>

#include "src/quillstone/labels/CairoHandles.h"

namespace quillstone {

class LabelText {
 public:
  // `size` is the font's em in the context's user units; text wider than `maxWidth` ends in "…".
  LabelText(cairo_t* cr, const std::string& text, double size, double maxWidth);

  double width() const { return width_; }
  double height() const { return height_; }
  // Draws the line with its top edge at `top`, centred on `centreX`.
  void DrawCentred(cairo_t* cr, double centreX, double top) const;

  // The font families asked for, best first; fontconfig falls back along them.
  static const char* FontFamilies();

 private:
  GObjectPtr<PangoLayout> layout_;
  double width_ = 0;
  double height_ = 0;
};

}  // namespace quillstone
