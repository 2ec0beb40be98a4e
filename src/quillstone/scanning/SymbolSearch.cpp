#include "src/quillstone/scanning/SymbolSearch.h"

#include <algorithm>
#include <chrono>
#include <cstddef>

#include "src/quillstone/scanning/BarExtent.h"

namespace quillstone {
namespace {

// More than any page of labels holds; it bounds the reads a hostile picture can cause.
constexpr std::size_t kMaxSymbols = 256;
// A strip thinner than this holds no symbol worth reading.
constexpr int kMinStrip = 48;
// Pictures larger than this are no tightly cropped symbol: they are not framed and enlarged.
constexpr int kMaxUnframedSide = 1500;
// Above this many pixels (an A4 page at 400 dpi) the strips are read at every other pixel: the
// symbols of such a picture have modules of several pixels, and the reads cost a quarter.
constexpr std::size_t kFullStripPixels = 16'000'000;

PictureBox Whole(const GreyPicture& picture) { return {0, 0, picture.width, picture.height}; }

void Paint(GreyPicture& picture, const PictureBox& box) {
  const PictureBox b = box.ClippedTo(picture.width, picture.height);
  for (int y = b.top; y < b.bottom; ++y) {
    auto row = picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width;
    std::fill(row + b.left, row + b.right, uint8_t{255});
  }
}

// A matrix symbol's box is its corners; the cover takes in the modules' blur around them.
PictureBox Cover(const PictureBox& box) { return box.Grown(box.width() / 10 + 2, box.height() / 10 + 2); }

// A symbol cropped to its edge gets the quiet zone its reader looks for; one of a module or two
// per pixel gets pixels to find its edges in.
GreyPicture Framed(const GreyPicture& in, int scale, int margin) {
  GreyPicture out;
  out.width = in.width * scale + 2 * margin;
  out.height = in.height * scale + 2 * margin;
  out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 255);
  for (int y = 0; y < in.height * scale; ++y)
    for (int x = 0; x < in.width * scale; ++x)
      out.pixels[static_cast<std::size_t>(y + margin) * out.width + x + margin] =
          in.pixels[static_cast<std::size_t>(y / scale) * in.width + x / scale];
  return out;
}

bool SameSymbol(const SymbolReader::Found& a, const SymbolReader::Found& b) {
  return a.code.text == b.code.text && a.code.symbology.kind() == b.code.symbology.kind() && a.box.Overlaps(b.box);
}

}  // namespace

std::vector<SymbolReader::Found> SymbolSearch::Run() {
  Timed("QR Code", [this] { QrCodes(); });
  Timed("bar codes", [this] { BarCodes(); });
  Timed("Data Matrix", [this] { DataMatrix(); });
  if (found_.empty()) Timed("unframed", [this] { Unframed(); });
  return found_;
}

template <class Step>
void SymbolSearch::Timed(const char* name, Step step) {
  const auto start = std::chrono::steady_clock::now();
  const std::size_t before = found_.size();
  step();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  passes_.push_back({name, spent.count(), static_cast<int>(found_.size() - before)});
}

bool SymbolSearch::Keep(SymbolReader::Found found, const PictureBox& cover) {
  Paint(work_, cover);
  found.box = cover;
  for (const auto& known : found_)
    if (SameSymbol(known, found)) return false;
  found_.push_back(std::move(found));
  return true;
}

void SymbolSearch::QrCodes() {
  for (auto& found : SymbolReader::QrCodes(work_, Whole(work_))) {
    const PictureBox cover = Cover(found.box);
    Keep(std::move(found), cover);
  }
}

// One symbol per read (see SymbolReader::OneLinear); a symbol read again where its painted cover
// fell short is painted over once more, and the bound on reads ends even that. Smaller copies of
// the picture are read only once the full-size one has nothing more to give.
void SymbolSearch::BarCodes() {
  for (std::size_t reads = 0; reads < 2 * kMaxSymbols && found_.size() < kMaxSymbols; ++reads) {
    auto found = SymbolReader::OneLinear(work_, Whole(work_), false);
    if (!found) found = SymbolReader::OneLinear(work_, Whole(work_), true);
    if (!found) return;
    const PictureBox cover = BarExtent::Of(work_, found->box, found->upright);
    Keep(std::move(*found), cover);
  }
}

// The Data Matrix detector follows edges only from the lines through the middle of what it is
// given. The whole picture comes first (one label, or a symbol that fills a photo); then strips,
// whose middle lines pass over every symbol from an eighth to a quarter of the picture's shorter
// side, and again over every one from a 64th to a 16th of it.
void SymbolSearch::DataMatrix() {
  while (found_.size() < kMaxSymbols) {
    auto found = SymbolReader::OneDataMatrix(work_, Whole(work_), true);
    if (!found) break;
    const PictureBox cover = Cover(found->box);
    if (!Keep(std::move(*found), cover)) break;
  }
  const int shortSide = std::min(work_.width, work_.height);
  DataMatrixStrips(shortSide / 2, shortSide / 16);
  DataMatrixStrips(shortSide / 8, shortSide / 64);
}

// Strips run across the picture, one `step` apart, each `thickness` thick: a symbol at most half
// as thick lies wholly inside one whose middle line crosses it. The detector follows edges from
// the line across far better than from the line down, so the strips lie across even in a picture
// taller than wide.
void SymbolSearch::DataMatrixStrips(int thickness, int step) {
  if (thickness < kMinStrip) return;
  step = std::max(step, kMinStrip / 4);
  const int every = work_.pixels.size() > kFullStripPixels ? 2 : 1;
  for (int middle = 0; middle < work_.height + step; middle += step) {
    const int top = std::max(0, middle - thickness / 2);
    const int bottom = std::min(work_.height, middle + thickness / 2);
    if (bottom - top < kMinStrip) continue;
    const PictureBox strip{0, top, work_.width, bottom};
    while (found_.size() < kMaxSymbols) {
      auto found = SymbolReader::OneDataMatrix(work_, strip, false, every);
      if (!found) break;
      const PictureBox cover = Cover(found->box);
      if (!Keep(std::move(*found), cover)) break;
    }
  }
}

// Nothing found in a picture small enough to be one symbol: a generated symbol with no quiet zone
// is read as a pure symbol, then inside a white frame, enlarged when it is tiny. Its box is taken
// back to the picture's own pixels.
void SymbolSearch::Unframed() {
  const int longSide = std::max(picture_.width, picture_.height);
  if (longSide > kMaxUnframedSide) return;
  if (auto found = SymbolReader::Pure(picture_)) {
    Keep(std::move(*found), Whole(picture_));
    return;
  }
  const int scale = longSide < 200 ? 4 : 1;
  const int margin = longSide / 4 + 8;
  const GreyPicture framed = Framed(picture_, scale, margin);
  std::vector<SymbolReader::Found> found = SymbolReader::QrCodes(framed, Whole(framed));
  if (auto linear = SymbolReader::OneLinear(framed, Whole(framed), true)) found.push_back(std::move(*linear));
  if (auto matrix = SymbolReader::OneDataMatrix(framed, Whole(framed), true)) found.push_back(std::move(*matrix));
  for (auto& f : found) {
    const PictureBox& b = f.box;
    const PictureBox back{(b.left - margin) / scale, (b.top - margin) / scale, (b.right - margin) / scale,
                          (b.bottom - margin) / scale};
    Keep(std::move(f), back.ClippedTo(picture_.width, picture_.height));
  }
}

}  // namespace quillstone
