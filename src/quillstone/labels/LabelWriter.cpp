#include "quillstone/labels/LabelWriter.h"

#include <fstream>

#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/labels/PdfLabelWriter.h"
#include "src/quillstone/labels/PictureLabelWriter.h"
#include "src/quillstone/labels/ZplLabelWriter.h"

namespace quillstone {

std::unique_ptr<LabelWriter> LabelWriter::For(LabelFormat format, const LabelSize& size, const Options& options) {
  switch (format) {
    case LabelFormat::Png:
    case LabelFormat::Svg:
      return std::make_unique<PictureLabelWriter>(size, format);
    case LabelFormat::Pdf:
      return std::make_unique<PdfLabelWriter>(size, options.sheet);
    case LabelFormat::Zpl:
      return std::make_unique<ZplLabelWriter>(size, options.printerFont, options.module);
  }
  RaiseError("标签格式 '" + LabelFormatName(format) + "' 没有写法");
}

void LabelWriter::WriteFile(const std::vector<Label>& labels, const std::string& path) const {
  CheckCount(labels, path);
  SaveFile(Write(labels), path);
}

void LabelWriter::CheckCount(const std::vector<Label>& labels, const std::string& target) const {
  if (labels.empty()) RaiseError(target.empty() ? "没有可印的标签" : "没有可印的标签：'" + target + "' 未写入");
  if (maxLabels() != 0 && labels.size() > maxLabels())
    RaiseError(LabelFormatName(format()) + " 标签只印 " + std::to_string(maxLabels()) + " 张，这里有 " +
               std::to_string(labels.size()) + " 张；多张标签请写成 zpl 或 pdf");
}

void LabelWriter::SaveFile(const std::string& bytes, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) RaiseError("无法写入标签文件 '" + path + "'");
}

}  // namespace quillstone
