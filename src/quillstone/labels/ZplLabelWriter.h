// ZPL for label printers: each label from ^XA to ^XZ (ZplWriter), one after another. The bytes
// are what LabelPrinter sends.
#pragma once

#include "quillstone/labels/LabelWriter.h"
#include "quillstone/labels/ZplWriter.h"

namespace quillstone {

class ZplLabelWriter : public LabelWriter {
 public:
  ZplLabelWriter(const LabelSize& size, const std::string& font, int module) : writer_(size, font, module) {}

  LabelFormat format() const override { return LabelFormat::Zpl; }
  std::string Write(const std::vector<Label>& labels) const override {
    CheckCount(labels, "");
    std::string zpl;
    for (const auto& label : labels) zpl += writer_.Write(label);
    return zpl;
  }

 private:
  ZplWriter writer_;
};

}  // namespace quillstone
