#include "src/quillstone/labels/LabelText.h"

#include <pango/pangocairo.h>

#include <memory>

#include "quillstone/server/modFunctionDefine.h"

// fontconfig keeps the font list it reads for the life of the process, and frees it only in a
// call (FcFini) that is unsafe while cairo still caches fonts; under the leak checker that list
// is known and expected, so it is not reported (nor the count of what was let pass).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

namespace quillstone {

const char* LabelText::FontFamilies() { return "WenQuanYi Micro Hei,Noto Sans CJK SC,sans-serif"; }

LabelText::LabelText(cairo_t* cr, const std::string& text, double size, double maxWidth)
    : layout_(pango_cairo_create_layout(cr)) {
  std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)> font(
      pango_font_description_from_string(FontFamilies()), &pango_font_description_free);
  pango_font_description_set_absolute_size(font.get(), size * PANGO_SCALE);
  pango_layout_set_font_description(layout_.get(), font.get());
  pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
  pango_layout_set_width(layout_.get(), static_cast<int>(maxWidth * PANGO_SCALE));
  pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_END);
  pango_layout_set_single_paragraph_mode(layout_.get(), TRUE);

  if (pango_layout_get_unknown_glyphs_count(layout_.get()) > 0)
    RaiseError("标签文字 '" + text +
                   "' 中有字体里没有的字符，印出来会是方框；请安装中文字体（如 fonts-wqy-microhei）");
  PangoRectangle logical;
  pango_layout_get_extents(layout_.get(), nullptr, &logical);
  width_ = static_cast<double>(logical.width) / PANGO_SCALE;
  height_ = static_cast<double>(logical.height) / PANGO_SCALE;
}

void LabelText::DrawCentred(cairo_t* cr, double centreX, double top) const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_.get(), nullptr, &logical);
  // With a width set, the logical box starts where the text starts inside that width.
  const double left = centreX - width_ / 2 - static_cast<double>(logical.x) / PANGO_SCALE;
  cairo_move_to(cr, left, top);
  pango_cairo_show_layout(cr, layout_.get());
}

}  // namespace quillstone
