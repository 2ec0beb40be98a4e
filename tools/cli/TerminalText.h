// Text from the database or the user made safe to write to a terminal: control characters (tabs,
// newlines, escape sequences) are shown as escapes instead of acting, so a value cannot break a
// table's lines or change the terminal, and very long messages are shortened.
#pragma once

#include <string>

namespace quillstone::cli {

class TerminalText {
 public:
  // Characters of a message kept before it is cut.
  static constexpr std::size_t kMessageLimit = 400;

  // Control characters (C0, DEL, C1) and bytes that are not UTF-8 as \t, \n, \xNN, \u00NN.
  static std::string Escaped(const std::string& text);
  // Escaped, and cut to kMessageLimit characters with the full length noted.
  static std::string Message(const std::string& text);
};

}  // namespace quillstone::cli
