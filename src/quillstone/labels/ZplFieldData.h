// Field data as a label printer reads it back: every field names its ^FH hexadecimal indicator
// and carries the indicator, the command prefixes and control bytes as hex, so no text can end
// the field or start a command; text blocks also double their backslash, so "\&" stays two
// characters and breaks no line; Data Matrix and QR Code data name their own escapes.
#pragma once

#include <string>

namespace quillstone {
class Gs1ElementString;
}

namespace quillstone {

class ZplFieldData {
 public:
  // The ^FH indicator every field names.
  static constexpr char kHexIndicator = '_';
  // The escape character ^BX is given for its quality 200 data: "#1" is FNC1, "##" is '#'.
  static constexpr char kDataMatrixEscape = '#';

  // "^FH_^FD" followed by `data` in ^FH's escapes.
  static std::string Field(const std::string& data);
  // A line of a ^FB text block.
  static std::string Text(const std::string& text);
  // ^BX data of any text; text beyond ASCII is announced as UTF-8 (ECI 26), as the image does.
  static std::string DataMatrix(const std::string& text);
  // ^BX data of a GS1 element string: FNC1 first and in place of every group separator.
  static std::string Gs1DataMatrix(const Gs1ElementString& elements);
  // ^BQ data: level M; ASCII in automatic input, other text as counted 8-bit bytes (automatic
  // input cannot carry the bytes UTF-8 uses beyond ASCII).
  static std::string QrCode(const std::string& text);
};

}  // namespace quillstone
