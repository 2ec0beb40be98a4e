#include "src/quillstone/labels/PictureLabelWriter.h"

#include "quillstone/labels/LabelRenderer.h"

namespace quillstone {

std::string PictureLabelWriter::Write(const std::vector<Label>& labels) const {
  CheckCount(labels, "");
  return LabelRenderer::Bytes(labels.front(), size_, format_);
}

// The renderer's own file writing, so a file and its messages are as they always were.
void PictureLabelWriter::WriteFile(const std::vector<Label>& labels, const std::string& path) const {
  CheckCount(labels, path);
  LabelRenderer::Render(labels.front(), size_, path, format_);
}

}  // namespace quillstone
