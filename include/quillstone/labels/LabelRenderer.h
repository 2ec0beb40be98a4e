// Draws a barcode label: the item's name on top, the symbol in its rule's symbology (zint's
// vector output filled by cairo) and the barcode text under it (pango, CJK font). The same
// drawing serves PNG and SVG files and the cells of PDF label sheets.
#pragma once

#include <string>

#include "quillstone/labels/Label.h"
#include "quillstone/labels/LabelFormat.h"
#include "quillstone/labels/LabelSize.h"

typedef struct _cairo cairo_t;

namespace quillstone {

class LabelRenderer {
 public:
  // Draws `label` into the `widthMm` × `heightMm` rectangle at the context's origin, whose user
  // unit is 1/`unitsPerMm` mm. With `wholeUnits` every module is a whole number of units (pixels
  // of a raster), so bars keep sharp, equal edges.
  static void Draw(cairo_t* cr, const Label& label, double widthMm, double heightMm, double unitsPerMm,
                   bool wholeUnits);

  // Writes one label as a PNG at the size's resolution, or as an SVG of the size.
  static void Render(const Label& label, const LabelSize& size, const std::string& path, LabelFormat format);
  // The same PNG or SVG as bytes.
  static std::string Bytes(const Label& label, const LabelSize& size, LabelFormat format);
};

}  // namespace quillstone
