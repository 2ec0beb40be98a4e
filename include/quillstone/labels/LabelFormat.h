// The kinds of label output: images (PNG, SVG), printer commands (ZPL) and PDF, named by the
// --format option or by the output file's extension.
#pragma once

#include <string>

namespace quillstone {

enum class LabelFormat { Png, Svg, Zpl, Pdf };

// "png", "svg", "zpl" or "pdf", in any case; anything else is refused.
LabelFormat LabelFormatNamed(const std::string& name);
// The format of a file by its extension; anything else is refused with the file's name.
LabelFormat LabelFormatOfFile(const std::string& path);
std::string LabelFormatName(LabelFormat format);

}  // namespace quillstone
