// A picture of one label, as LabelRenderer draws it: PNG at the size's resolution, or SVG the
// size of the label.
#pragma once

#include "quillstone/labels/LabelWriter.h"

namespace quillstone {

class PictureLabelWriter : public LabelWriter {
 public:
  // `format` is PNG or SVG.
  PictureLabelWriter(const LabelSize& size, LabelFormat format) : size_(size), format_(format) {}

  LabelFormat format() const override { return format_; }
  std::size_t maxLabels() const override { return 1; }
  std::string Write(const std::vector<Label>& labels) const override;
  void WriteFile(const std::vector<Label>& labels, const std::string& path) const override;

 private:
  LabelSize size_;
  LabelFormat format_;
};

}  // namespace quillstone
