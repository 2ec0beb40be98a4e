// Finds every symbol in one picture, pass by pass: QR Codes, bar codes one at a time, Data Matrix
// symbols along strips sized to them. Each symbol found is painted white in a working copy of the
// picture, so the next read goes on to the next symbol and none is read twice.
#pragma once

#include <string>
#include <vector>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageScanner.h"
#include "src/quillstone/scanning/PictureBox.h"
#include "src/quillstone/scanning/SymbolReader.h"

namespace quillstone {

class SymbolSearch {
 public:
  explicit SymbolSearch(const GreyPicture& picture) : picture_(picture), work_(picture) {}

  // The symbols in the order the passes found them, each with the box it covers. A picture in
  // which no pass finds anything is read again as a tiny or tightly cropped symbol would need.
  std::vector<SymbolReader::Found> Run();
  const std::vector<ImageScanner::Pass>& passes() const { return passes_; }

 private:
  void QrCodes();
  void BarCodes();
  void DataMatrix();
  void DataMatrixStrips(int thickness, int step);
  void Unframed();
  // Records a symbol and paints `cover` white in the working copy; false when the symbol was
  // found before (it is painted over all the same, so the next read moves on).
  bool Keep(SymbolReader::Found found, const PictureBox& cover);
  template <class Step>
  void Timed(const char* name, Step step);

  const GreyPicture& picture_;
  GreyPicture work_;
  std::vector<SymbolReader::Found> found_;
  std::vector<ImageScanner::Pass> passes_;
};

}  // namespace quillstone
