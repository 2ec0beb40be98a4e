#include "quillstone/labels/LabelFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

std::optional<LabelFormat> Find(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (auto f : {LabelFormat::Png, LabelFormat::Svg, LabelFormat::Zpl, LabelFormat::Pdf})
    if (LabelFormatName(f) == name) return f;
  return std::nullopt;
}

}  // namespace

LabelFormat LabelFormatNamed(const std::string& name) {
  if (auto f = Find(name)) return *f;
  RaiseError("标签格式 '" + name + "' 无效，应为 png、svg、zpl 或 pdf");
}

LabelFormat LabelFormatOfFile(const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (auto f = Find(ext.empty() ? ext : ext.substr(1))) return *f;
  RaiseError("标签文件 '" + path + "' 的扩展名应为 .png、.svg、.zpl 或 .pdf（或用 --format 指定格式）");
}

std::string LabelFormatName(LabelFormat format) {
  switch (format) {
    case LabelFormat::Png:
      return "png";
    case LabelFormat::Svg:
      return "svg";
    case LabelFormat::Zpl:
      return "zpl";
    case LabelFormat::Pdf:
      return "pdf";
  }
  return "";
}

}  // namespace quillstone
