// GS1 element strings as a label printer's symbol commands take them: FNC1 first and in place of
// every group separator, written in the escapes of the command.
#pragma once

#include <string>

namespace quillstone {
class Gs1ElementString;
}

namespace quillstone::cli {

class ZplGs1Data {
 public:
  struct Code128 {
    // ^BC field data in no mode: the start code, the code set changes and ">8" for FNC1 spelled
    // out, digits in pairs in code set C wherever that is shorter.
    std::string data;
    // Symbol characters between the start code and the check character.
    int codes = 0;
  };
  static Code128 ForCode128(const Gs1ElementString& elements);
  // ^BX (quality 200) field data with '#' as escape character: "#1" is FNC1. No GS1 value holds
  // a '#'.
  static std::string ForDataMatrix(const Gs1ElementString& elements);
  static constexpr char kDataMatrixEscape = '#';
};

}  // namespace quillstone::cli
