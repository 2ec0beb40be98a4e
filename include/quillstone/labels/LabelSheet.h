// Lays labels out on PDF pages: a grid of columns × rows on a paper size, inside page margins,
// in the order given, as sheets of self-adhesive labels are printed in an office printer. The
// margins and cut lines are stated on every page and by Statement().
#pragma once

#include <string>
#include <vector>

#include "quillstone/labels/Label.h"

typedef struct _cairo cairo_t;

namespace quillstone {

class LabelSheet {
 public:
  // `paper` is A3, A4, A5, Letter or a size such as "210x297mm"; `layout` is "COLUMNSxROWS";
  // `margin` is "TOPxSIDE" (top and bottom, left and right) or one length for all four sides.
  LabelSheet(const std::string& paper, const std::string& layout, const std::string& margin);
  // Pages the size of one label, one label per page, for printers fed with PDF.
  static LabelSheet OnePerPage(double widthMm, double heightMm);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  double paperWidthMm() const { return paperWidthMm_; }
  double paperHeightMm() const { return paperHeightMm_; }
  double marginTopMm() const { return marginTopMm_; }
  double marginSideMm() const { return marginSideMm_; }
  double labelWidthMm() const { return (paperWidthMm_ - 2 * marginSideMm_) / columns_; }
  double labelHeightMm() const { return (paperHeightMm_ - 2 * marginTopMm_) / rows_; }
  int PagesFor(std::size_t labels) const;

  // Writes every label, in order, row by row; returns the number of pages.
  int Write(const std::vector<Label>& labels, const std::string& path) const;
  // The same PDF as bytes.
  std::string Pdf(const std::vector<Label>& labels) const;
  // The paper, grid, label size and margins in one sentence, for the command's report.
  std::string Statement() const;

 private:
  LabelSheet() = default;
  void DrawPageMarks(cairo_t* cr, int page, int pages) const;
  // Every page of `labels` into a context on a PDF surface.
  void DrawPages(cairo_t* cr, const std::vector<Label>& labels) const;

  std::string paperName_;
  double paperWidthMm_ = 0;
  double paperHeightMm_ = 0;
  int columns_ = 1;
  int rows_ = 1;
  double marginTopMm_ = 0;
  double marginSideMm_ = 0;
};

}  // namespace quillstone
