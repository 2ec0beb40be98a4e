// Raw scanner data: AIs and values run together, a field of a length the standard does not set
// ended by the group separator (ASCII 29) when another follows, optionally led by the symbology
// identifier of a GS1 symbol (]C1 GS1-128, ]d2 GS1 DataMatrix, ]Q3 GS1 QR Code, ]e0 GS1 DataBar).
#pragma once

#include <string>
#include <string_view>

namespace quillstone {

class Gs1ElementString;

class Gs1RawForm {
 public:
  static void Read(std::string_view text, Gs1ElementString& out);
  static std::string Write(const Gs1ElementString& elements, std::string_view symbologyIdentifier);
  static bool IsGs1SymbologyIdentifier(std::string_view id);
};

}  // namespace quillstone
