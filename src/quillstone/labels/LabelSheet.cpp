#include "quillstone/labels/LabelSheet.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <tuple>

#include "src/quillstone/labels/CairoHandles.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/labels/LabelMetrics.h"
#include "quillstone/labels/LabelRenderer.h"
#include "quillstone/labels/LabelSize.h"
#include "src/quillstone/labels/LabelText.h"

namespace quillstone {
namespace {

using namespace LabelMetrics;

// Crop marks stop this short of the grid, so none shows on a label cut a little off the line.
constexpr double kMarkGapMm = 1.0;
constexpr double kMarkLengthMm = 4.0;
constexpr double kFooterMm = 2.2;
constexpr double kSmallestPaperMm = 10;
constexpr double kLargestPaperMm = 1200;

struct Paper {
  const char* name;
  double widthMm;
  double heightMm;
};
constexpr std::array<Paper, 4> kPapers{
    {{"A3", 297, 420}, {"A4", 210, 297}, {"A5", 148, 210}, {"LETTER", 215.9, 279.4}}};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

int Count(const std::string& text, std::size_t& pos) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text.substr(pos), &used);
  } catch (const std::exception&) {
    return 0;
  }
  pos += used;
  return value;
}

}  // namespace

LabelSheet::LabelSheet(const std::string& paper, const std::string& layout, const std::string& margin) {
  paperName_ = Upper(paper);
  const auto known = std::find_if(kPapers.begin(), kPapers.end(), [&](const Paper& p) { return paperName_ == p.name; });
  if (known != kPapers.end()) {
    paperWidthMm_ = known->widthMm;
    paperHeightMm_ = known->heightMm;
    if (paperName_ == "LETTER") paperName_ = "Letter";
  } else {
    std::tie(paperWidthMm_, paperHeightMm_) = LabelSize::ParseLengths(paper, "纸张");
    // Larger than A0 or smaller than one label is a typing error; a PDF viewer could not show it.
    if (std::min(paperWidthMm_, paperHeightMm_) < kSmallestPaperMm ||
        std::max(paperWidthMm_, paperHeightMm_) > kLargestPaperMm)
      RaiseError(fmt::format("纸张 '{}' 超出范围：宽和高都应在 {:g} mm 到 {:g} mm 之间", paper, kSmallestPaperMm,
                                 kLargestPaperMm));
    paperName_ = fmt::format("{:g}×{:g} mm", paperWidthMm_, paperHeightMm_);
  }

  std::size_t pos = 0;
  columns_ = Count(layout, pos);
  const bool by = pos < layout.size() && (layout[pos] == 'x' || layout[pos] == 'X');
  rows_ = by ? Count(layout, ++pos) : 0;
  if (columns_ < 1 || rows_ < 1 || pos != layout.size() || columns_ > 20 || rows_ > 40)
    RaiseError("标签排列 '" + layout + "' 无效，应写成 列数x行数，如 3x8（每页最多 20 列 40 行）");

  std::tie(marginTopMm_, marginSideMm_) = LabelSize::ParseLengths(margin, "页边距");
  if (labelWidthMm() < 10 || labelHeightMm() < 10)
    RaiseError(fmt::format("{} 纸上按 {} 排列、页边距 {} 时每张标签只有 {:.1f}×{:.1f} mm，太小（至少 10×10 mm）",
                               paperName_, layout, margin, labelWidthMm(), labelHeightMm()));
}

LabelSheet LabelSheet::OnePerPage(double widthMm, double heightMm) {
  LabelSheet sheet;
  sheet.paperName_ = fmt::format("{:g}×{:g} mm", widthMm, heightMm);
  sheet.paperWidthMm_ = widthMm;
  sheet.paperHeightMm_ = heightMm;
  return sheet;
}

int LabelSheet::PagesFor(std::size_t labels) const {
  const std::size_t perPage = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
  return static_cast<int>((labels + perPage - 1) / perPage);
}

std::string LabelSheet::Statement() const {
  if (marginTopMm_ == 0 && marginSideMm_ == 0)
    return fmt::format("one {:g}×{:g} mm label per page", paperWidthMm_, paperHeightMm_);
  return fmt::format(
      "{} pages of {}×{} labels, each {:.1f}×{:.1f} mm; page margins {:g} mm top and bottom, {:g} mm left and right; "
      "nothing is printed within {:g} mm of a cut",
      paperName_, columns_, rows_, labelWidthMm(), labelHeightMm(), marginTopMm_, marginSideMm_, kCutMarginMm);
}

void LabelSheet::DrawPageMarks(cairo_t* cr, int page, int pages) const {
  const double u = kPointsPerMm;
  const double left = marginSideMm_ * u;
  const double top = marginTopMm_ * u;
  const double right = (paperWidthMm_ - marginSideMm_) * u;
  const double bottom = (paperHeightMm_ - marginTopMm_) * u;
  cairo_save(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 0.25);
  // Crop marks on the cut lines, in the margins only.
  if (marginTopMm_ >= kMarkGapMm + kMarkLengthMm) {
    for (int c = 0; c <= columns_; ++c) {
      const double x = left + c * labelWidthMm() * u;
      cairo_move_to(cr, x, top - kMarkGapMm * u);
      cairo_rel_line_to(cr, 0, -kMarkLengthMm * u);
      cairo_move_to(cr, x, bottom + kMarkGapMm * u);
      cairo_rel_line_to(cr, 0, kMarkLengthMm * u);
    }
  }
  if (marginSideMm_ >= kMarkGapMm + kMarkLengthMm) {
    for (int r = 0; r <= rows_; ++r) {
      const double y = top + r * labelHeightMm() * u;
      cairo_move_to(cr, left - kMarkGapMm * u, y);
      cairo_rel_line_to(cr, -kMarkLengthMm * u, 0);
      cairo_move_to(cr, right + kMarkGapMm * u, y);
      cairo_rel_line_to(cr, kMarkLengthMm * u, 0);
    }
  }
  cairo_stroke(cr);
  // The layout stated on the page itself, below the crop marks.
  if (marginTopMm_ >= kMarkGapMm + kMarkLengthMm + kFooterMm + 1) {
    const std::string footer = fmt::format(
        "{} {}×{} · 标签 {:.1f}×{:.1f} mm · 页边距 上下 {:g} mm、左右 {:g} mm · 裁切线内 {:g} mm 不印内容 · 第 {}/{} "
        "页",
        paperName_, columns_, rows_, labelWidthMm(), labelHeightMm(), marginTopMm_, marginSideMm_, kCutMarginMm, page,
        pages);
    const LabelText text(cr, footer, kFooterMm * u, (paperWidthMm_ - 2 * marginSideMm_) * u);
    text.DrawCentred(cr, paperWidthMm_ * u / 2, (paperHeightMm_ - 1.0) * u - text.height());
  }
  cairo_restore(cr);
}

void LabelSheet::DrawPages(cairo_t* cr, const std::vector<Label>& labels) const {
  const int pages = PagesFor(labels.size());
  cairo_pdf_surface_set_metadata(cairo_get_target(cr), CAIRO_PDF_METADATA_TITLE, "Quillstone labels");
  const std::size_t perPage = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const auto cell = static_cast<int>(i % perPage);
    cairo_save(cr);
    cairo_translate(cr, (marginSideMm_ + (cell % columns_) * labelWidthMm()) * kPointsPerMm,
                    (marginTopMm_ + (cell / columns_) * labelHeightMm()) * kPointsPerMm);
    LabelRenderer::Draw(cr, labels[i], labelWidthMm(), labelHeightMm(), kPointsPerMm, false);
    cairo_restore(cr);
    if (cell + 1 == static_cast<int>(perPage) || i + 1 == labels.size()) {
      DrawPageMarks(cr, static_cast<int>(i / perPage) + 1, pages);
      cairo_show_page(cr);
    }
  }
}

int LabelSheet::Write(const std::vector<Label>& labels, const std::string& path) const {
  if (labels.empty()) RaiseError("没有可印的标签：'" + path + "' 未写入");
  // The pages are written to a temporary file that replaces `path` only when all are done.
  const std::string partial = path + ".part";
  CairoSurfacePtr surface(
      cairo_pdf_surface_create(partial.c_str(), paperWidthMm_ * kPointsPerMm, paperHeightMm_ * kPointsPerMm));
  auto check = [&](cairo_status_t status) {
    if (status == CAIRO_STATUS_SUCCESS) return;
    std::remove(partial.c_str());
    RaiseError("无法写入标签文件 '" + path + "'：" + cairo_status_to_string(status));
  };
  check(cairo_surface_status(surface.get()));
  {
    CairoPtr cr(cairo_create(surface.get()));
    try {
      DrawPages(cr.get(), labels);
    } catch (...) {
      cr.reset();
      surface.reset();
      std::remove(partial.c_str());
      throw;
    }
    check(cairo_status(cr.get()));
  }
  cairo_surface_finish(surface.get());
  check(cairo_surface_status(surface.get()));
  surface.reset();
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    RaiseError("无法写入标签文件 '" + path + "'");
  }
  return PagesFor(labels.size());
}

std::string LabelSheet::Pdf(const std::vector<Label>& labels) const {
  if (labels.empty()) RaiseError("没有可印的标签");
  std::string pdf;
  CairoSurfacePtr surface(cairo_pdf_surface_create_for_stream(AppendToString, &pdf, paperWidthMm_ * kPointsPerMm,
                                                              paperHeightMm_ * kPointsPerMm));
  auto check = [&](cairo_status_t status) {
    if (status != CAIRO_STATUS_SUCCESS) RaiseError(std::string("无法写成 PDF 标签：") + cairo_status_to_string(status));
  };
  check(cairo_surface_status(surface.get()));
  {
    CairoPtr cr(cairo_create(surface.get()));
    DrawPages(cr.get(), labels);
    check(cairo_status(cr.get()));
  }
  cairo_surface_finish(surface.get());
  check(cairo_surface_status(surface.get()));
  return pdf;
}

}  // namespace quillstone
