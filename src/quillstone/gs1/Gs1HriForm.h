// The human-readable form of an element string: each AI in parentheses before its value, as
// printed under a GS1 symbol: (01)09506000134352(10)ABC123(17)251231. A value's '(' is escaped
// as \( ('\' is no value character), so a value never reads back as another field.
#pragma once

#include <string>
#include <string_view>

namespace quillstone {

class Gs1ElementString;

class Gs1HriForm {
 public:
  enum class Escape {
    EveryParenthesis,  // as GS1 writes HRI
    Ambiguous,         // only a '(' that would read as an AI: registry keys of other values stay as stored
  };
  // "\(" is a '(' of the value; a bare '(' is kept as part of the value unless 2 to 4 digits and
  // ')' follow it.
  static void Read(std::string_view text, Gs1ElementString& out);
  static std::string Write(const Gs1ElementString& elements, Escape escape = Escape::EveryParenthesis);
  // Appends "(ai)value" with the value escaped.
  static void AppendField(std::string& out, std::string_view ai, std::string_view value, Escape escape);
};

}  // namespace quillstone
