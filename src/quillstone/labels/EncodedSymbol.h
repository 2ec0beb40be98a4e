// A barcode encoded by zint: its size in modules (quiet zones included), the text a person reads
// under it, and its dark modules drawn into a cairo context at any module size.
#pragma once

#include <memory>
#include <string>

#include "quillstone/model/Symbology.h"

struct zint_symbol;
typedef struct _cairo cairo_t;

namespace quillstone {

class EncodedSymbol {
 public:
  // Refuses text the symbology cannot carry.
  EncodedSymbol(const std::string& text, const Symbology& symbology);
  ~EncodedSymbol();
  EncodedSymbol(EncodedSymbol&&) noexcept;
  EncodedSymbol& operator=(EncodedSymbol&&) noexcept;

  // Width and height in modules, quiet zones included. A linear symbol's height is zint's
  // natural one; it is drawn at whatever height the label has room for.
  double modulesWide() const;
  double modulesHigh() const;
  bool linear() const;
  // What is printed under the symbol: the barcode text, for EAN-13 the 13 digits the symbol
  // carries (the check digit the symbol adds included), for GS1 data its parenthesised form.
  const std::string& humanReadable() const { return humanReadable_; }

  // Fills the dark modules with the current source, the symbol's top left corner (quiet zone
  // included) at (x, y); a linear symbol's bars are stretched to `height`.
  void Draw(cairo_t* cr, double x, double y, double moduleSize, double height) const;

 private:
  struct Deleter {
    void operator()(zint_symbol* s) const;
  };
  std::unique_ptr<zint_symbol, Deleter> symbol_;
  std::string humanReadable_;
};

}  // namespace quillstone
