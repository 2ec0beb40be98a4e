// Writes labels in ZPL, the command language of thermal label printers: the symbol in the
// label's symbology (encoded by the printer), the barcode text and the item's name in a
// scalable font, UTF-8, laid out in whole printer dots for the label's size and resolution.
#pragma once

#include <string>

#include "cli/CliError.h"
#include "cli/Label.h"
#include "cli/LabelSize.h"

namespace quillstone::cli {

class EncodedSymbol;

class ZplWriter {
 public:
  // `font` is a font stored on the printer ("E:NAME.TTF") for the text; empty uses the
  // printer's scalable font 0, which prints Chinese where the printer links a CJK font to it.
  explicit ZplWriter(const LabelSize& size, std::string font = "");

  // One label, from ^XA to ^XZ; refuses a barcode whose symbol does not fit the label.
  std::string Write(const Label& label) const;
  // Writes printer commands to a file, as a printer would receive them.
  static void Save(const std::string& zpl, const std::string& path);

 private:
  // The printer's forms of the symbologies; the GS1 ones take the raw element string with FNC1
  // in the command's escapes. GS1 QR Code has none.
  enum class Form { Code128, Gs1_128, Ean13, Code39, QrCode, DataMatrix, Gs1DataMatrix };
  static Form FormFor(const Symbology& symbology);

  // A centred line of text `height` dots high with its top at `y`; the text is shortened to the
  // width the printer's font will need.
  std::string TextField(const std::string& text, int y, int height) const;
  // The room a symbol has, in dots: its left edge and top, width and height.
  struct Box {
    int left, top, width, height;
  };
  std::string SymbolField(const Label& label, const EncodedSymbol& symbol, int top, int bottom) const;
  std::string MatrixField(const Label& label, const EncodedSymbol& symbol, Form form, const Box& box) const;
  std::string BarsField(const Label& label, const EncodedSymbol& symbol, Form form, const Box& box) const;
  CliError TooSmall(const Label& label, const EncodedSymbol& symbol) const;

  LabelSize size_;
  std::string font_;
};

}  // namespace quillstone::cli
