#include "src/quillstone/labels/EncodedSymbol.h"

#include <cairo.h>
#include <zint.h>

#include <algorithm>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/labels/Gs1Symbol.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

// zint's number for the symbology.
int ZintSymbology(const Symbology& symbology) {
  using Kind = Symbology::Kind;
  switch (symbology.kind()) {
    case Kind::Code128:
      return BARCODE_CODE128;
    case Kind::Ean13:
      return BARCODE_EANX;
    case Kind::Code39:
      return BARCODE_CODE39;
    case Kind::QrCode:
    case Kind::Gs1QrCode:
    case Kind::DigitalLinkQr:
      return BARCODE_QRCODE;
    case Kind::DataMatrix:
    case Kind::Gs1DataMatrix:
      return BARCODE_DATAMATRIX;
    case Kind::Gs1_128:
      return BARCODE_GS1_128;
  }
  return BARCODE_CODE128;
}

}  // namespace

void EncodedSymbol::Deleter::operator()(zint_symbol* s) const { ZBarcode_Delete(s); }

EncodedSymbol::EncodedSymbol(const std::string& text, const Symbology& symbology) : humanReadable_(text) {
  symbology.CheckEncodable(text);
  // GS1 data goes to zint with each AI in brackets, which no value can hold (a value may hold
  // parentheses); the text under the symbol is the parenthesised form.
  std::string input = text;
  const bool gs1Mode = symbology.gs1Mode();
  if (gs1Mode) {
    const auto elements = Gs1ElementString::Parse(text);
    input = Gs1Symbol::ZintInput(elements);
    humanReadable_ = elements.ToHri();
  }
  symbol_.reset(ZBarcode_Create());
  if (!symbol_) RaiseError("zint 无法分配条码符号");
  zint_symbol& s = *symbol_;
  s.symbology = ZintSymbology(symbology);
  s.input_mode = gs1Mode ? GS1_MODE : UNICODE_MODE;
  s.output_options |= BARCODE_QUIET_ZONES;
  s.show_hrt = 0;
  // One vector unit per module, so the caller scales to any module size.
  s.scale = 0.5f;
  // Square Data Matrix symbols read more reliably than the long rectangular ones.
  if (symbology.dataMatrix()) s.option_3 = DM_SQUARE;
  // Level M, as printers use for QR Code unless told otherwise, so both print the same version.
  if (symbology.qrCode()) s.option_1 = 2;
  // Text beyond ASCII (Chinese fixed segments) travels as UTF-8, announced by its ECI.
  if (symbology.twoDimensional() && !IsAscii(text)) s.eci = 26;

  const int rc = ZBarcode_Encode_and_Buffer_Vector(symbol_.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                                   static_cast<int>(input.size()), 0);
  if (rc >= ZINT_ERROR || !s.vector)
    RaiseError("无法把 '" + text + "' 编成 " + symbology.name() + " 条码：" + s.errtxt);
  if (symbology.kind() == Symbology::Kind::Ean13) humanReadable_ = reinterpret_cast<const char*>(s.text);
}

EncodedSymbol::~EncodedSymbol() = default;
EncodedSymbol::EncodedSymbol(EncodedSymbol&&) noexcept = default;
EncodedSymbol& EncodedSymbol::operator=(EncodedSymbol&&) noexcept = default;

double EncodedSymbol::modulesWide() const { return symbol_->vector->width; }
double EncodedSymbol::modulesHigh() const { return symbol_->vector->height; }
bool EncodedSymbol::linear() const { return symbol_->rows == 1; }

void EncodedSymbol::Draw(cairo_t* cr, double x, double y, double moduleSize, double height) const {
  const zint_vector& v = *symbol_->vector;
  const double yScale = linear() ? height / v.height : moduleSize;
  for (const zint_vector_rect* r = v.rectangles; r; r = r->next)
    cairo_rectangle(cr, x + r->x * moduleSize, y + r->y * yScale, r->width * moduleSize, r->height * yScale);
  cairo_fill(cr);
}

}  // namespace quillstone
