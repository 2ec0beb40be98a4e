#include "cli/ImageScanner.h"

#include <ZXing/ReadBarcode.h>

#include <optional>

#include "cli/PngImage.h"

namespace quillstone::cli {
namespace {

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

}  // namespace

std::vector<ImageScanner::Code> ImageScanner::Scan(const std::string& path) {
  const PngImage image = PngImage::Read(path);
  const ZXing::ImageView view(image.pixels().data(), image.width(), image.height(), ZXing::ImageFormat::Lum);

  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::Code39 |
                   ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix);
  hints.setTryHarder(true);

  std::vector<Code> codes;
  for (const auto& result : ZXing::ReadBarcodes(view, hints)) {
    if (!result.isValid()) continue;
    if (auto symbology = FromFormat(result.format())) codes.push_back({result.text(), *symbology});
  }
  return codes;
}

}  // namespace quillstone::cli
