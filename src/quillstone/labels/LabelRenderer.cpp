#include "quillstone/labels/LabelRenderer.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "src/quillstone/labels/CairoHandles.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/labels/EncodedSymbol.h"
#include "src/quillstone/labels/LabelCaption.h"
#include "quillstone/labels/LabelMetrics.h"
#include "src/quillstone/labels/LabelText.h"

namespace quillstone {
namespace {

using namespace LabelMetrics;
// Below this a printed module blurs; such a label would not scan.
constexpr double kSmallestModuleMm = 0.15;

void Check(cairo_status_t status, const std::string& path) {
  if (status != CAIRO_STATUS_SUCCESS)
    RaiseError("无法写入标签文件 '" + path + "'：" + cairo_status_to_string(status));
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

// cairo draws the text as glyph outlines; a title keeps it readable (and searchable) as text.
std::string WithTitle(std::string svg, const Label& label) {
  const auto open = svg.find("<svg");
  const auto end = open == std::string::npos ? open : svg.find('>', open);
  if (end == std::string::npos) return svg;
  const std::string title = label.name.empty() ? label.barCode : label.barCode + " " + label.name;
  svg.insert(end + 1, "\n<title>" + XmlEscaped(title) + "</title>");
  return svg;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) RaiseError("无法写入标签文件 '" + path + "'");
}

}  // namespace

void LabelRenderer::Draw(cairo_t* cr, const Label& label, double widthMm, double heightMm, double unitsPerMm,
                         bool wholeUnits) {
  label.CheckPrintable();
  const EncodedSymbol symbol(label.barCode, label.symbology);
  const double w = widthMm * unitsPerMm;
  const double h = heightMm * unitsPerMm;
  const double margin = kCutMarginMm * unitsPerMm;
  const double gap = kGapMm * unitsPerMm;

  cairo_save(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  double top = margin;
  if (!label.name.empty()) {
    const LabelText name(cr, label.name, NameSizeMm(heightMm) * unitsPerMm, w - 2 * margin);
    name.DrawCentred(cr, w / 2, top);
    top += name.height() + gap;
  }
  // The caption's lines, the last one on the bottom margin.
  double bottom = h - margin;
  const auto lines = LabelCaption::Lines(label.Caption(symbol.humanReadable()), widthMm - 2 * kCutMarginMm, CaptionSizeMm(heightMm));
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    const LabelText caption(cr, *line, CaptionSizeMm(heightMm) * unitsPerMm, w - 2 * margin);
    bottom -= caption.height();
    caption.DrawCentred(cr, w / 2, bottom);
  }
  bottom -= gap;

  const double boxWidth = w - 2 * kSymbolEdgeMm * unitsPerMm;
  const double boxHeight = bottom - top;
  double module = boxWidth / symbol.modulesWide();
  if (!symbol.linear()) module = std::min(module, boxHeight / symbol.modulesHigh());
  if (wholeUnits) module = std::floor(module);
  const double smallest = wholeUnits ? 1.0 : kSmallestModuleMm * unitsPerMm;
  // A linear symbol shorter than 15% of its width is hard to aim at.
  const bool tooFlat = symbol.linear() && boxHeight < 0.15 * symbol.modulesWide() * module;
  if (module < smallest || tooFlat)
    RaiseError(fmt::format("条码 '{}' 在 {:g}×{:g} mm 的标签上放不下（{} 需要 {:g} 个模块宽）；请用更大的 --size",
                               label.barCode, widthMm, heightMm, label.symbology.name(), symbol.modulesWide()));

  double x = (w - symbol.modulesWide() * module) / 2;
  double y = symbol.linear() ? top : top + (boxHeight - symbol.modulesHigh() * module) / 2;
  if (wholeUnits) {
    x = std::round(x);
    y = std::round(y);
  }
  symbol.Draw(cr, x, y, module, wholeUnits ? std::floor(boxHeight) : boxHeight);
  cairo_restore(cr);
}

namespace {

// Draws one label on a white surface of the size: an image surface for PNG, an SVG surface
// writing into `svg`. `target` names the output in messages.
CairoSurfacePtr DrawSurface(const Label& label, const LabelSize& size, LabelFormat format, const std::string& target,
                            std::string& svg) {
  if (format != LabelFormat::Png && format != LabelFormat::Svg)
    RaiseError("标签文件 '" + target + "' 只能写成 PNG 或 SVG");
  const bool raster = format == LabelFormat::Png;
  const double unitsPerMm = raster ? size.dotsPerMm() : kPointsPerMm;
  CairoSurfacePtr surface(raster
                              ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.widthDots(), size.heightDots())
                              : cairo_svg_surface_create_for_stream(AppendToString, &svg, size.widthMm() * kPointsPerMm,
                                                                    size.heightMm() * kPointsPerMm));
  Check(cairo_surface_status(surface.get()), target);
  {
    CairoPtr cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    LabelRenderer::Draw(cr.get(), label, size.widthMm(), size.heightMm(), unitsPerMm, raster);
    Check(cairo_status(cr.get()), target);
  }
  if (!raster) {
    cairo_surface_finish(surface.get());
    Check(cairo_surface_status(surface.get()), target);
  }
  return surface;
}

}  // namespace

void LabelRenderer::Render(const Label& label, const LabelSize& size, const std::string& path, LabelFormat format) {
  // Both are drawn in memory first, so a label that cannot be drawn leaves no file behind.
  std::string svg;
  CairoSurfacePtr surface = DrawSurface(label, size, format, path, svg);
  if (format == LabelFormat::Png) {
    Check(cairo_surface_write_to_png(surface.get(), path.c_str()), path);
    return;
  }
  WriteFile(path, WithTitle(svg, label));
}

std::string LabelRenderer::Bytes(const Label& label, const LabelSize& size, LabelFormat format) {
  const std::string target = "(" + LabelFormatName(format) + ")";
  std::string svg;
  CairoSurfacePtr surface = DrawSurface(label, size, format, target, svg);
  if (format == LabelFormat::Svg) return WithTitle(svg, label);
  std::string png;
  Check(cairo_surface_write_to_png_stream(surface.get(), AppendToString, &png), target);
  return png;
}

}  // namespace quillstone
