#include "cli/ImageScanner.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "cli/ImageSizeLimit.h"
#include "cli/JpegImage.h"
#include "cli/PngImage.h"

namespace quillstone::cli {
namespace {

GreyPicture Load(const std::string& path) {
  ImageSizeLimit::Require(path);
  return JpegImage::IsJpeg(path) ? JpegImage::Read(path) : PngImage::Read(path);
}

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

ZXing::DecodeHints Hints(bool pure) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::Code39 |
                   ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix);
  hints.setTryHarder(true);
  // Labels photographed upside down or sideways, and phone photos far larger than the symbol.
  hints.setTryRotate(true);
  hints.setTryDownscale(true);
  hints.setIsPure(pure);
  return hints;
}

std::vector<ImageScanner::Code> Read(const ZXing::ImageView& view, bool pure) {
  std::vector<ImageScanner::Code> codes;
  for (const auto& result : ZXing::ReadBarcodes(view, Hints(pure))) {
    if (!result.isValid()) continue;
    if (auto symbology = FromFormat(result.format()))
      codes.push_back(
          {result.text(), *symbology, result.symbologyIdentifier(), result.contentType() == ZXing::ContentType::GS1});
  }
  return codes;
}

ZXing::ImageView ViewOf(const GreyPicture& picture) {
  return {picture.pixels.data(), picture.width, picture.height, ZXing::ImageFormat::Lum};
}

// The matrix detectors look for a symbol from the middle of the picture outwards, so a small
// one near the edge of a photo is looked for again in overlapping halves of it.
std::vector<ImageScanner::Code> ReadByWindows(const GreyPicture& picture) {
  const int w = picture.width / 2;
  const int h = picture.height / 2;
  if (w < 100 || h < 100) return {};
  for (int top = 0; top + h <= picture.height; top += h / 2)
    for (int left = 0; left + w <= picture.width; left += w / 2) {
      auto codes = Read(ViewOf(picture).cropped(left, top, w, h), false);
      if (!codes.empty()) return codes;
    }
  return {};
}

// A symbol cropped to its edge gets the quiet zone its reader looks for; one of a module or two
// per pixel gets pixels to find its edges in.
GreyPicture WithMargin(const GreyPicture& in, int scale) {
  const int margin = std::max(in.width, in.height) / 4 + 8;
  GreyPicture out;
  out.width = in.width * scale + 2 * margin;
  out.height = in.height * scale + 2 * margin;
  out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 255);
  for (int y = 0; y < in.height * scale; ++y)
    for (int x = 0; x < in.width * scale; ++x)
      out.pixels[static_cast<std::size_t>(y + margin) * out.width + x + margin] =
          in.pixels[static_cast<std::size_t>(y / scale) * in.width + x / scale];
  return out;
}

}  // namespace

std::vector<ImageScanner::Code> ImageScanner::Scan(const std::string& path) {
  const GreyPicture picture = Load(path);
  auto codes = Read(ViewOf(picture), false);
  if (!codes.empty()) return codes;
  // A tiny symbol with no quiet zone: as a pure symbol first, then inside a margin, enlarged.
  codes = Read(ViewOf(picture), true);
  if (!codes.empty()) return codes;
  const int scale = std::max(picture.width, picture.height) < 200 ? 4 : 1;
  codes = Read(ViewOf(WithMargin(picture, scale)), false);
  if (!codes.empty()) return codes;
  return ReadByWindows(picture);
}

}  // namespace quillstone::cli
