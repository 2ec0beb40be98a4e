#include "src/quillstone/scanning/SymbolReader.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstdlib>

namespace quillstone {
namespace {

constexpr auto kLinear = ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::Code39;

std::optional<Symbology> FromFormat(ZXing::BarcodeFormat format) {
  switch (format) {
    case ZXing::BarcodeFormat::Code128:
      return Symbology::ForKind(Symbology::Kind::Code128);
    case ZXing::BarcodeFormat::EAN13:
      return Symbology::ForKind(Symbology::Kind::Ean13);
    case ZXing::BarcodeFormat::Code39:
      return Symbology::ForKind(Symbology::Kind::Code39);
    case ZXing::BarcodeFormat::QRCode:
      return Symbology::ForKind(Symbology::Kind::QrCode);
    case ZXing::BarcodeFormat::DataMatrix:
      return Symbology::ForKind(Symbology::Kind::DataMatrix);
    default:
      return std::nullopt;
  }
}

ZXing::DecodeHints Hints(ZXing::BarcodeFormats formats) {
  ZXing::DecodeHints hints;
  hints.setFormats(formats);
  hints.setTryHarder(true);
  // Labels photographed upside down or sideways, and phone photos far larger than the symbol.
  hints.setTryRotate(true);
  hints.setTryDownscale(true);
  return hints;
}

ZXing::ImageView ViewOf(const GreyPicture& picture, const PictureBox& area) {
  const ZXing::ImageView whole(picture.pixels.data(), picture.width, picture.height, ZXing::ImageFormat::Lum);
  return whole.cropped(area.left, area.top, area.width(), area.height());
}

PictureBox BoxOf(const ZXing::Position& position, const PictureBox& area, int every) {
  PictureBox box{position[0].x, position[0].y, position[0].x, position[0].y};
  for (const auto& p : position) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return {area.left + box.left * every, area.top + box.top * every, area.left + (box.right + 1) * every,
          area.top + (box.bottom + 1) * every};
}

std::vector<SymbolReader::Found> Read(const GreyPicture& picture, const PictureBox& area,
                                      const ZXing::DecodeHints& hints, int every = 1) {
  std::vector<SymbolReader::Found> found;
  if (area.empty()) return found;
  const auto view = every > 1 ? ViewOf(picture, area).subsampled(every) : ViewOf(picture, area);
  for (const auto& result : ZXing::ReadBarcodes(view, hints)) {
    if (!result.isValid()) continue;
    if (auto symbology = FromFormat(result.format())) {
      ImageScanner::Code code{result.text(), *symbology, result.symbologyIdentifier(),
                              result.contentType() == ZXing::ContentType::GS1};
      // Read across its bars from top to bottom or bottom to top.
      const int turn = std::abs(result.orientation()) % 180;
      const bool upright = turn > 45 && turn < 135;
      found.push_back({std::move(code), BoxOf(result.position(), area, every), upright});
    }
  }
  return found;
}

std::optional<SymbolReader::Found> First(std::vector<SymbolReader::Found> found) {
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

}  // namespace

// zxing-cpp 1.4 keeps each new result of a read only when it differs from those it already
// holds. For two bar code results of the same text (one symbol seen again in the smaller copy of
// a large picture, or two labels alike on one page) that comparison asserts that the older one
// was seen on a single scan line, which a confirmed bar code never is, and the failed assertion
// aborts the process. A read asked for one symbol ends before it compares anything, so bar codes
// are read one at a time and never beside the other symbologies.
std::optional<SymbolReader::Found> SymbolReader::OneLinear(const GreyPicture& picture, const PictureBox& area,
                                                           bool thorough) {
  return First(Read(picture, area, Hints(kLinear).setMaxNumberOfSymbols(1).setTryDownscale(thorough)));
}

// Matrix symbols are told apart by where they lie, never by scan lines, so any number is safe.
std::vector<SymbolReader::Found> SymbolReader::QrCodes(const GreyPicture& picture, const PictureBox& area) {
  return Read(picture, area, Hints(ZXing::BarcodeFormat::QRCode));
}

std::optional<SymbolReader::Found> SymbolReader::OneDataMatrix(const GreyPicture& picture, const PictureBox& area,
                                                               bool thorough, int every) {
  auto hints = Hints(ZXing::BarcodeFormat::DataMatrix).setMaxNumberOfSymbols(1);
  hints.setTryHarder(thorough).setTryDownscale(thorough);
  return First(Read(picture, area, hints, every));
}

std::optional<SymbolReader::Found> SymbolReader::Pure(const GreyPicture& picture) {
  auto hints = Hints(kLinear | ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix);
  hints.setIsPure(true).setMaxNumberOfSymbols(1);
  return First(Read(picture, {0, 0, picture.width, picture.height}, hints));
}

}  // namespace quillstone
