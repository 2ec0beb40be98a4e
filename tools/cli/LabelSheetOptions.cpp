#include "cli/LabelSheetOptions.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/CliError.h"
#include "cli/LabelBatch.h"
#include "quillstone/labels/LabelFormat.h"
#include "quillstone/labels/LabelWriter.h"
#include "cli/Session.h"

namespace quillstone::cli {

void LabelSheetOptions::AddTo(CLI::App& app, bool withFile) {
  if (withFile) app.add_option("--labels", file_, "Also print the barcodes' labels on PDF sheets, e.g. labels.pdf");
  paperOption_ =
      app.add_option("--sheet", paper_, "Paper of label sheets: A4, A5, A3, Letter or WxHmm")->capture_default_str();
  app.add_option("--layout", layout_, "Labels per sheet as COLUMNSxROWS")->capture_default_str();
  app.add_option("--margin", margin_, "Page margins to the labels, TOPxSIDE (top/bottom x left/right)")
      ->capture_default_str();
}

bool LabelSheetOptions::sheetGiven() const { return paperOption_ != nullptr && paperOption_->count() > 0; }

LabelSheet LabelSheetOptions::Sheet() const { return LabelSheet(paper_, layout_, margin_); }

void LabelSheetOptions::Check() const {
  if (wanted() && LabelFormatOfFile(file_) != LabelFormat::Pdf)
    throw CliError("--labels 的文件 '" + file_ + "' 应为 .pdf");
  Sheet();
}

std::string LabelSheetOptions::Write(const std::vector<Label>& labels) const {
  LabelWriter::Options options;
  options.sheet = Sheet();
  // The sheet sets the label size; the writer's own size is not used.
  LabelWriter::For(LabelFormat::Pdf, LabelSize(options.sheet->labelWidthMm(), options.sheet->labelHeightMm(), 300),
                   options)
      ->WriteFile(labels, file_);
  return Report(labels.size(), options.sheet->PagesFor(labels.size()), file_, *options.sheet);
}

void LabelSheetOptions::Finish(const Session& session, const LabelBatch& batch) const {
  if (!wanted()) return;
  const std::string report = Write(batch.labels());
  if (!session.json()) std::cout << report << '\n';
}

std::string LabelSheetOptions::Report(std::size_t labels, int pages, const std::string& file, const LabelSheet& sheet) {
  return fmt::format("Wrote {} {} on {} {} to {}: {}", labels, labels == 1 ? "label" : "labels", pages,
                     pages == 1 ? "page" : "pages", file, sheet.Statement());
}

}  // namespace quillstone::cli
