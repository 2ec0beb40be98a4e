#include "cli/ZplWriter.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "cli/CliError.h"
#include "cli/EncodedSymbol.h"
#include "cli/LabelCaption.h"
#include "cli/LabelMetrics.h"
#include "cli/TextWidth.h"
#include "cli/ZplGs1Data.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone::cli {
namespace {

using namespace LabelMetrics;

constexpr double kSmallestTextMm = 2.0;
// The largest QR Code magnification a printer accepts.
constexpr int kMaxQrMagnification = 10;

// ^FH escapes with '_' as indicator: the command prefixes, the indicator itself and control
// bytes travel as hex; UTF-8 goes as it is (^CI28).
std::string FieldData(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '^' || c == '~' || c == '_' || c < 0x20 || c == 0x7F)
      out += fmt::format("_{:02X}", c);
    else
      out += static_cast<char>(c);
  }
  return out;
}

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

// A Code 128 symbol's bars in modules when the printer keeps to one code set: the most any
// encoding of `length` characters needs (start, data, check character, stop).
int Code128WorstModules(std::size_t length) { return 11 * (static_cast<int>(length) + 3) + 2; }

}  // namespace

ZplWriter::ZplWriter(const LabelSize& size, std::string font) : size_(size), font_(std::move(font)) {}

ZplWriter::Form ZplWriter::FormFor(const Symbology& symbology) {
  switch (symbology.kind()) {
    case Symbology::Kind::Code128:
      return Form::Code128;
    case Symbology::Kind::Ean13:
      return Form::Ean13;
    case Symbology::Kind::Code39:
      return Form::Code39;
    case Symbology::Kind::QrCode:
      return Form::QrCode;
    case Symbology::Kind::DataMatrix:
      return Form::DataMatrix;
    case Symbology::Kind::Gs1_128:
      return Form::Gs1_128;
    case Symbology::Kind::Gs1DataMatrix:
      return Form::Gs1DataMatrix;
    case Symbology::Kind::Gs1QrCode:
      // The printer's QR Code command has no FNC1 mode.
      break;
  }
  throw CliError("条码类型 " + symbology.name() + " 没有 ZPL 写法；请输出 PNG、SVG 或 PDF 标签");
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
  return fmt::format("^FO{},{}{}^FB{},1,0,C,0^FH_^FD{}^FS\n", margin, y, font, width, FieldData(shown));
}

CliError ZplWriter::TooSmall(const Label& label, const EncodedSymbol& symbol) const {
  return CliError(fmt::format("条码 '{}' 在 {} 的标签上放不下（{} 需要 {:g} 个模块宽，{} dpi）；请用更大的 --size",
                              label.barCode, size_.Text(), label.symbology.name(), symbol.modulesWide(), size_.dpi()));
}

std::string ZplWriter::SymbolField(const Label& label, const EncodedSymbol& symbol, int top, int bottom) const {
  const Form form = FormFor(label.symbology);
  const int edge = size_.Dots(kSymbolEdgeMm);
  const Box box{edge, top, size_.widthDots() - 2 * edge, bottom - top};
  if (form == Form::QrCode || form == Form::DataMatrix || form == Form::Gs1DataMatrix)
    return MatrixField(label, symbol, form, box);
  return BarsField(label, symbol, form, box);
}

std::string ZplWriter::MatrixField(const Label& label, const EncodedSymbol& symbol, Form form, const Box& box) const {
  // The matrix is as many modules wide as zint makes it, quiet zones included.
  const int modules = static_cast<int>(symbol.modulesWide());
  const int quiet = form == Form::QrCode ? 4 : 1;
  int module = std::min(box.width, box.height) / modules;
  if (form == Form::QrCode) module = std::min(module, kMaxQrMagnification);
  if (module < 1) throw TooSmall(label, symbol);
  const int side = modules * module;
  const int x = box.left + (box.width - side) / 2 + quiet * module;
  const int y = box.top + (box.height - side) / 2 + quiet * module;
  std::string command;
  std::string data = FieldData(label.barCode);
  if (form == Form::QrCode) {
    command = fmt::format("^BQN,2,{}", module);
    data = "MA," + data;
  } else if (form == Form::DataMatrix) {
    command = fmt::format("^BXN,{},200", module);
  } else {
    command = fmt::format("^BXN,{},200,0,0,6,{}", module, ZplGs1Data::kDataMatrixEscape);
    data = FieldData(ZplGs1Data::ForDataMatrix(Gs1ElementString::Parse(label.barCode)));
  }
  return fmt::format("^FO{},{}{}^FH_^FD{}^FS\n", x, y, command, data);
}

std::string ZplWriter::BarsField(const Label& label, const EncodedSymbol& symbol, Form form, const Box& box) const {
  // Quiet zones in modules, left and right, and the modules the layout must leave room for.
  int quietLeft = 10, quietRight = 10, modules = static_cast<int>(symbol.modulesWide());
  std::string data = FieldData(label.barCode);
  std::string bars;
  double ratio = 3.0;
  if (form == Form::Ean13) {
    quietLeft = 11;
    quietRight = 7;
    modules = 95 + quietLeft + quietRight;
    data = label.barCode.substr(0, 12);
    bars = "^BEN,{h},N,N";
  } else if (form == Form::Code39) {
    ratio = 2.0;  // as zint draws it, so the image and the printed label match
    bars = "^B3N,N,{h},N,N";
  } else if (form == Form::Gs1_128) {
    // The code sets are chosen here, FNC1 written out; the symbol is exactly this wide.
    const auto code128 = ZplGs1Data::ForCode128(Gs1ElementString::Parse(label.barCode));
    modules = Code128WorstModules(static_cast<std::size_t>(code128.codes)) + quietLeft + quietRight;
    bars = "^BCN,{h},N,N,N,N";
    data = FieldData(code128.data);
  } else {
    // The printer chooses the code sets itself; room is left for the widest choice.
    modules = Code128WorstModules(label.barCode.size()) + quietLeft + quietRight;
    bars = "^BCN,{h},N,N,N,A";
  }
  const int module = box.width / modules;
  if (module < 1 || box.height < 0.15 * modules * module) throw TooSmall(label, symbol);
  const int x = box.left + quietLeft * module + (box.width - modules * module) / 2;
  return fmt::format("^FO{},{}^BY{},{:.1f},{}", x, box.top, module, ratio, box.height) +
         fmt::format(fmt::runtime(bars), fmt::arg("h", box.height)) + fmt::format("^FH_^FD{}^FS\n", data);
}

std::string ZplWriter::Write(const Label& label) const {
  const EncodedSymbol symbol(label.barCode, label.symbology);
  const int margin = size_.Dots(kCutMarginMm);
  const int gap = size_.Dots(kGapMm);
  const int nameHeight = size_.Dots(NameSizeMm(size_.heightMm()));
  const int captionHeight = size_.Dots(CaptionSizeMm(size_.heightMm()));

  std::string zpl = fmt::format("^XA\n^CI28\n^PW{}\n^LL{}\n^LH0,0\n", size_.widthDots(), size_.heightDots());
  int top = margin;
  if (!label.name.empty()) {
    zpl += TextField(label.name, top, nameHeight);
    top += nameHeight + gap;
  }
  const auto lines =
      LabelCaption::Lines(symbol.humanReadable(), size_.widthMm() - 2 * kCutMarginMm, CaptionSizeMm(size_.heightMm()));
  const int captionTop = size_.heightDots() - margin - captionHeight * static_cast<int>(lines.size());
  zpl += SymbolField(label, symbol, top, captionTop - gap);
  for (std::size_t i = 0; i < lines.size(); ++i)
    zpl += TextField(lines[i], captionTop + captionHeight * static_cast<int>(i), captionHeight);
  return zpl + "^XZ\n";
}

void ZplWriter::Save(const std::string& zpl, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << zpl;
  if (!out.flush()) throw CliError("无法写入标签文件 '" + path + "'");
}

}  // namespace quillstone::cli
