// GS1 symbols drawn by zint in its GS1 mode: GS1-128, GS1 DataMatrix and GS1 QR Code, written
// as PNG or SVG (zint encodes the separators and the symbol's FNC1 itself); and a QR Code that
// carries the data as a GS1 Digital Link URI.
#pragma once

#include <optional>
#include <string>

namespace quillstone {
class Gs1ElementString;
}

namespace quillstone {

class Gs1Symbol {
 public:
  // LinkQr: a plain QR Code holding the data as a GS1 Digital Link URI, as on consumer packs.
  enum class Kind { Gs1_128, DataMatrix, QrCode, LinkQr };

  // "gs1-128", "gs1-datamatrix", "gs1-qr", "gs1-link" (letter case, blanks and dashes do not matter).
  static Kind Named(const std::string& name);
  static std::string Name(Kind kind);
  // The symbology identifier a reader reports for it: ]C1, ]d2, ]Q3 (]Q1 for a link).
  static std::string Identifier(Kind kind);
  // The kind a reader's symbology identifier names; nothing for an identifier of no GS1 symbol.
  static std::optional<Kind> ForIdentifier(const std::string& identifier);

  // zint's GS1 input: each AI in square brackets. No value can hold a bracket, as brackets are
  // outside GS1's character set.
  static std::string ZintInput(const Gs1ElementString& elements);
  // PNG or SVG by the file's extension; GS1-128 prints the parenthesised text under its bars.
  static void Render(const Gs1ElementString& elements, Kind kind, const std::string& path);
};

}  // namespace quillstone
