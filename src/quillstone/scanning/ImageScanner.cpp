#include "quillstone/scanning/ImageScanner.h"

#include <algorithm>
#include <chrono>

#include "src/quillstone/scanning/PictureLoader.h"
#include "src/quillstone/scanning/SymbolSearch.h"

namespace quillstone {
namespace {

// Rows are made of symbols whose middles lie within the height of the row's first symbol, so a
// QR Code beside a shorter bar code on the same row of labels stays on that row.
std::vector<ImageScanner::Code> InReadingOrder(std::vector<SymbolReader::Found> found) {
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.box.centerY() < b.box.centerY(); });
  std::vector<ImageScanner::Code> codes;
  for (auto row = found.begin(); row != found.end();) {
    const int rowBottom = row->box.bottom;
    auto end = std::find_if(row, found.end(), [&](const auto& f) { return f.box.centerY() >= rowBottom; });
    if (end == row) ++end;
    std::stable_sort(row, end, [](const auto& a, const auto& b) { return a.box.left < b.box.left; });
    for (auto f = row; f != end; ++f) codes.push_back(std::move(f->code));
    row = end;
  }
  return codes;
}

template <class Load>
std::vector<ImageScanner::Code> LoadAndScan(Load load, std::vector<ImageScanner::Pass>* passes) {
  const auto start = std::chrono::steady_clock::now();
  const GreyPicture picture = load();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  auto codes = ImageScanner::Scan(picture, passes);
  if (passes != nullptr) passes->insert(passes->begin(), {"decode picture", spent.count(), 0});
  return codes;
}

}  // namespace

std::vector<ImageScanner::Code> ImageScanner::Scan(const std::string& path, std::vector<Pass>* passes) {
  return LoadAndScan([&] { return PictureLoader::FromFile(path); }, passes);
}

std::vector<ImageScanner::Code> ImageScanner::ScanBytes(const std::string& bytes, const std::string& name,
                                                        const ImageSizeLimit& limit, std::vector<Pass>* passes) {
  return LoadAndScan([&] { return PictureLoader::FromBytes(bytes, name, limit); }, passes);
}

std::vector<ImageScanner::Code> ImageScanner::Scan(const GreyPicture& picture, std::vector<Pass>* passes) {
  SymbolSearch search(picture);
  auto found = search.Run();
  if (passes != nullptr) *passes = search.passes();
  return InReadingOrder(std::move(found));
}

}  // namespace quillstone
