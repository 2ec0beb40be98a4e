// Code 128 field data as a label printer's ^BC command takes it in no mode: the start code, the
// code set changes and FNC1 spelled out as the printer's invocation codes, digits in pairs in
// code set C wherever that is shorter. The symbol is then exactly as wide as its codes.
#pragma once

#include <string>

namespace quillstone {
class Gs1ElementString;
}

namespace quillstone {

class ZplCode128 {
 public:
  struct Data {
    // ^BC field data; no '^' or '~' is left in it, each written as its invocation code.
    std::string data;
    // Symbol characters between the start code and the check character.
    int codes = 0;
    // The symbol's width in modules without quiet zones: start, codes, check character, stop.
    int modules() const { return 11 * (codes + 2) + 13; }
  };

  // Printable ASCII text as it is; anything else is refused.
  static Data ForText(const std::string& text);
  // A GS1 element string: FNC1 first and in place of every group separator.
  static Data ForGs1(const Gs1ElementString& elements);

 private:
  static Data Write(const std::string& raw, bool gs1);
};

}  // namespace quillstone
