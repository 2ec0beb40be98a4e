#include "quillstone/labels/ZplWriter.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/labels/EncodedSymbol.h"
#include "src/quillstone/labels/LabelCaption.h"
#include "quillstone/labels/LabelMetrics.h"
#include "quillstone/labels/TextWidth.h"
#include "src/quillstone/labels/ZplCode128.h"
#include "src/quillstone/labels/ZplFieldData.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

using namespace LabelMetrics;
using Kind = Symbology::Kind;

constexpr double kSmallestTextMm = 2.0;
// The largest QR Code magnification a printer accepts.
constexpr int kMaxQrMagnification = 10;
constexpr int kMaxModule = 10;
// Labels are searched up to the largest size --size takes, in whole millimetres.
constexpr int kLargestLabelMm = 300;
constexpr double kSmallestModuleMm = 0.25;

// Drops whole UTF-8 characters from the end until `fits` holds, then marks the cut with "…".
template <typename Fits>
std::string Shortened(const std::string& text, Fits fits) {
  if (fits(text)) return text;
  std::string cut = text;
  while (!cut.empty()) {
    std::size_t end = cut.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80) --end;
    cut.erase(end);
    if (fits(cut + "…")) return cut + "…";
  }
  return "";
}

bool Matrix(Kind kind) {
  return kind == Kind::QrCode || kind == Kind::DigitalLinkQr || kind == Kind::DataMatrix || kind == Kind::Gs1DataMatrix;
}

// The symbol's width in modules as the printer draws it, quiet zones included, and the quiet
// zone on its left.
struct Extent {
  int modules;
  int quietLeft;
};

Extent ExtentOf(const Label& label, const EncodedSymbol& symbol) {
  const int wide = static_cast<int>(symbol.modulesWide());
  switch (label.symbology.kind()) {
    case Kind::QrCode:
    case Kind::DigitalLinkQr:
      return {wide, 4};
    case Kind::DataMatrix:
    case Kind::Gs1DataMatrix:
      return {wide, 1};
    case Kind::Ean13:
      return {95 + 11 + 7, 11};
    case Kind::Code39:
      return {wide, 10};
    case Kind::Code128:
      return {ZplCode128::ForText(label.barCode).modules() + 20, 10};
    case Kind::Gs1_128:
      return {ZplCode128::ForGs1(Gs1ElementString::Parse(label.barCode)).modules() + 20, 10};
    case Kind::Gs1QrCode:
      break;
  }
  // The printer's QR Code command has no FNC1 mode.
  RaiseError("条码类型 " + label.symbology.name() + " 没有 ZPL 写法；请输出 PNG、SVG 或 PDF 标签");
}

}  // namespace

ZplWriter::ZplWriter(const LabelSize& size, std::string font, int module)
    : size_(size), font_(std::move(font)), module_(module == 0 ? DefaultModule(size.dpi()) : module) {
  if (!font_.empty()) CheckFontName(font_);
  CheckModule(module_);
}

int ZplWriter::DefaultModule(int dpi) {
  return std::max(2, static_cast<int>(std::ceil(kSmallestModuleMm * dpi / 25.4 - 1e-6)));
}

void ZplWriter::CheckFontName(const std::string& font) {
  const bool drive = font.size() > 2 && std::isupper(static_cast<unsigned char>(font[0])) && font[1] == ':';
  const bool name = drive && font.size() <= 2 + 32 && std::all_of(font.begin() + 2, font.end(), [](unsigned char c) {
                      return std::isalnum(c) || c == '_' || c == '.';
                    });
  if (!name)
    RaiseError("打印机字体 '" + font +
                   "' 无效：应写成 驱动器:文件名，如 E:CJK.TTF（文件名只含字母、数字、_ 和 .，最多 32 个字符）");
}

void ZplWriter::CheckModule(int module) {
  if (module < 1 || module > kMaxModule)
    RaiseError(fmt::format("模块宽度 {} 点无效，应在 1 到 {} 点之间", module, kMaxModule));
}

ZplWriter::Box ZplWriter::SymbolBox(const Label& label, const EncodedSymbol& symbol, const LabelSize& size) const {
  const int margin = size.Dots(kCutMarginMm);
  const int gap = size.Dots(kGapMm);
  const int edge = size.Dots(kSymbolEdgeMm);
  int top = margin;
  if (!label.name.empty()) top += size.Dots(NameSizeMm(size.heightMm())) + gap;
  const auto lines = LabelCaption::Lines(label.Caption(symbol.humanReadable()), size.widthMm() - 2 * kCutMarginMm,
                                         CaptionSizeMm(size.heightMm()));
  const int captionTop =
      size.heightDots() - margin - size.Dots(CaptionSizeMm(size.heightMm())) * static_cast<int>(lines.size());
  return {edge, top, size.widthDots() - 2 * edge, captionTop - gap - top};
}

std::optional<ZplWriter::Placement> ZplWriter::Place(const Label& label, const EncodedSymbol& symbol,
                                                     const LabelSize& size) const {
  const Box box = SymbolBox(label, symbol, size);
  const Extent extent = ExtentOf(label, symbol);
  if (box.height <= 0) return std::nullopt;
  if (Matrix(label.symbology.kind())) {
    int module = std::min(box.width, box.height) / extent.modules;
    if (label.symbology.qrCode()) module = std::min(module, kMaxQrMagnification);
    if (module < module_) return std::nullopt;
    const int side = extent.modules * module;
    return Placement{box.left + (box.width - side) / 2 + extent.quietLeft * module,
                     box.top + (box.height - side) / 2 + extent.quietLeft * module, module, side};
  }
  // Bars at least 15% as high as the symbol is wide are easy to aim at; narrower modules keep
  // a low label's symbol so.
  const int module =
      std::min(box.width / extent.modules, static_cast<int>(std::floor(box.height / (0.15 * extent.modules))));
  if (module < module_) return std::nullopt;
  return Placement{box.left + extent.quietLeft * module + (box.width - extent.modules * module) / 2, box.top, module,
                   box.height};
}

std::string ZplWriter::SymbolField(const Label& label, const Placement& at) const {
  std::string field = fmt::format("^FO{},{}", at.x, at.y);
  const int m = at.module, h = at.height;
  const char escape = ZplFieldData::kDataMatrixEscape;
  switch (label.symbology.kind()) {
    case Kind::QrCode:
    case Kind::DigitalLinkQr:
      field += fmt::format("^BQN,2,{}", m) + ZplFieldData::QrCode(label.barCode);
      break;
    case Kind::DataMatrix:
      field += fmt::format("^BXN,{},200,0,0,6,{}", m, escape) + ZplFieldData::DataMatrix(label.barCode);
      break;
    case Kind::Gs1DataMatrix:
      field += fmt::format("^BXN,{},200,0,0,6,{}", m, escape) +
               ZplFieldData::Gs1DataMatrix(Gs1ElementString::Parse(label.barCode));
      break;
    case Kind::Ean13:
      field += fmt::format("^BY{},3.0,{}^BEN,{},N,N", m, h, h) + ZplFieldData::Field(label.barCode.substr(0, 12));
      break;
    case Kind::Code39:
      // Wide bars twice the narrow ones, as zint draws them, so the image and the label match.
      field += fmt::format("^BY{},2.0,{}^B3N,N,{},N,N", m, h, h) + ZplFieldData::Field(label.barCode);
      break;
    case Kind::Code128:
      field += fmt::format("^BY{},3.0,{}^BCN,{},N,N,N,N", m, h, h) +
               ZplFieldData::Field(ZplCode128::ForText(label.barCode).data);
      break;
    case Kind::Gs1_128:
      field += fmt::format("^BY{},3.0,{}^BCN,{},N,N,N,N", m, h, h) +
               ZplFieldData::Field(ZplCode128::ForGs1(Gs1ElementString::Parse(label.barCode)).data);
      break;
    case Kind::Gs1QrCode:
      break;
  }
  return field + "^FS\n";
}

std::string ZplWriter::TextField(const std::string& text, int y, int height) const {
  const int margin = size_.Dots(kCutMarginMm);
  const int width = size_.widthDots() - 2 * margin;
  auto needed = [](const std::string& t, int h) { return DisplayWidth(t) * kColumnWidthPerHeight * h; };
  // Shrink the font to fit, down to the smallest legible size, then shorten the text.
  const int smallest = std::min(height, size_.Dots(kSmallestTextMm));
  while (height > smallest && needed(text, height) > width) --height;
  const std::string shown = Shortened(text, [&](const std::string& t) { return needed(t, height) <= width; });
  const std::string font =
      font_.empty() ? fmt::format("^A0N,{0},{0}", height) : fmt::format("^A@N,{0},{0},{1}", height, font_);
  return fmt::format("^FO{},{}{}^FB{},1,0,C,0", margin, y, font, width) + ZplFieldData::Text(shown) + "^FS\n";
}

Error ZplWriter::TooSmall(const Label& label, const EncodedSymbol& symbol) const {
  const std::string what =
      fmt::format("条码 '{}' 在 {} 的标签上放不下（{} 需要 {} 个模块宽，模块至少 {} 点，{} dpi）", label.barCode,
                  size_.Text(), label.symbology.name(), ExtentOf(label, symbol).modules, module_, size_.dpi());
  // The smallest label of whole millimetres, no smaller than this one, that the symbol fits.
  int bestWidth = 0, bestHeight = 0;
  const int fromWidth = static_cast<int>(std::ceil(size_.widthMm() - 1e-9));
  const int fromHeight = static_cast<int>(std::ceil(size_.heightMm() - 1e-9));
  for (int h = fromHeight; h <= kLargestLabelMm; ++h) {
    for (int w = fromWidth; w <= kLargestLabelMm; ++w) {
      if (bestWidth > 0 && w * h >= bestWidth * bestHeight) break;
      if (Place(label, symbol, LabelSize(w, h, size_.dpi()))) {
        bestWidth = w;
        bestHeight = h;
        break;
      }
    }
  }
  if (bestWidth == 0)
    return Error(Error::kLibraryNumber, "Error", what + fmt::format("；{0}×{0} mm 以内的标签都放不下，请用更小的 --module 或二维码", kLargestLabelMm));
  return Error(Error::kLibraryNumber, "Error", what + fmt::format("；至少要 {0}×{1} mm 的标签：请用 --size {0}x{1}mm", bestWidth, bestHeight));
}

std::string ZplWriter::Write(const Label& label) const {
  label.CheckPrintable();
  const EncodedSymbol symbol(label.barCode, label.symbology);
  const auto at = Place(label, symbol, size_);
  if (!at) throw TooSmall(label, symbol);

  const int margin = size_.Dots(kCutMarginMm);
  const int gap = size_.Dots(kGapMm);
  std::string zpl = fmt::format("^XA\n^CI28\n^PW{}\n^LL{}\n^LH0,0\n", size_.widthDots(), size_.heightDots());
  if (!label.name.empty()) zpl += TextField(label.name, margin, size_.Dots(NameSizeMm(size_.heightMm())));
  zpl += SymbolField(label, *at);
  const Box box = SymbolBox(label, symbol, size_);
  const int captionHeight = size_.Dots(CaptionSizeMm(size_.heightMm()));
  const auto lines = LabelCaption::Lines(label.Caption(symbol.humanReadable()), size_.widthMm() - 2 * kCutMarginMm,
                                         CaptionSizeMm(size_.heightMm()));
  for (std::size_t i = 0; i < lines.size(); ++i)
    zpl += TextField(lines[i], box.top + box.height + gap + captionHeight * static_cast<int>(i), captionHeight);
  return zpl + "^XZ\n";
}

void ZplWriter::Save(const std::string& zpl, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << zpl;
  if (!out.flush()) RaiseError("无法写入标签文件 '" + path + "'");
}

}  // namespace quillstone
