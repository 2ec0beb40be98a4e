// PDF pages of labels: laid out on a sheet (LabelSheet), or one label a page of the label's size.
#pragma once

#include <optional>

#include "quillstone/labels/LabelWriter.h"

namespace quillstone {

class PdfLabelWriter : public LabelWriter {
 public:
  PdfLabelWriter(const LabelSize& size, const std::optional<LabelSheet>& sheet)
      : sheet_(sheet ? *sheet : LabelSheet::OnePerPage(size.widthMm(), size.heightMm())) {}

  LabelFormat format() const override { return LabelFormat::Pdf; }
  std::string Write(const std::vector<Label>& labels) const override { return sheet_.Pdf(labels); }
  void WriteFile(const std::vector<Label>& labels, const std::string& path) const override {
    sheet_.Write(labels, path);
  }

 private:
  LabelSheet sheet_;
};

}  // namespace quillstone
