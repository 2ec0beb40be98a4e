// The human-readable form of an element string: each AI in parentheses before its value, as
// printed under a GS1 symbol: (01)09506000134352(10)ABC123(17)251231.
#pragma once

#include <string>
#include <string_view>

namespace quillstone {

class Gs1ElementString;

class Gs1HriForm {
 public:
  // A '(' inside a value is kept as part of it unless 2 to 4 digits and ')' follow it.
  static void Read(std::string_view text, Gs1ElementString& out);
  static std::string Write(const Gs1ElementString& elements);
};

}  // namespace quillstone
