// Writes labels in ZPL, the command language of thermal label printers: the symbol in the
// label's symbology (encoded by the printer), the barcode text and the item's name in a
// scalable font, UTF-8, laid out in whole printer dots for the label's size and resolution.
#pragma once

#include <optional>
#include <string>

#include "quillstone/platform/Error.h"
#include "quillstone/labels/Label.h"
#include "quillstone/labels/LabelSize.h"

namespace quillstone {

class EncodedSymbol;

class ZplWriter {
 public:
  // `font` is a font stored on the printer ("E:NAME.TTF") for the text; empty uses the
  // printer's scalable font 0, which prints Chinese where the printer links a CJK font to it.
  // `module` is the narrowest module in dots the symbol may get; 0 takes DefaultModule.
  explicit ZplWriter(const LabelSize& size, std::string font = "", int module = 0);

  // One label, from ^XA to ^XZ; a symbol that does not fit the label with modules of at least
  // the narrowest width is refused, naming the smallest label size it fits.
  std::string Write(const Label& label) const;
  // Writes printer commands to a file, as a printer would receive them.
  static void Save(const std::string& zpl, const std::string& path);

  // 0.25 mm or 2 dots, whichever is wider: one-dot bars print unreliably on thermal heads.
  static int DefaultModule(int dpi);
  // Refuses a font name a printer would not take as one ("E:NAME.TTF": a drive letter, a colon,
  // letters, digits, '_' and '.'), so no option text can become printer commands.
  static void CheckFontName(const std::string& font);
  // Refuses a module width outside 1 to 10 dots.
  static void CheckModule(int module);

 private:
  // Where the symbol goes, in dots, and the module width it is drawn with.
  struct Placement {
    int x, y, module, height;
  };
  // The room the symbol has on a label of `size`: between the name and the caption lines.
  struct Box {
    int left, top, width, height;
  };
  Box SymbolBox(const Label& label, const EncodedSymbol& symbol, const LabelSize& size) const;
  std::optional<Placement> Place(const Label& label, const EncodedSymbol& symbol, const LabelSize& size) const;
  std::string SymbolField(const Label& label, const Placement& at) const;
  std::string TextField(const std::string& text, int y, int height) const;
  Error TooSmall(const Label& label, const EncodedSymbol& symbol) const;

  LabelSize size_;
  std::string font_;
  int module_;
};

}  // namespace quillstone
