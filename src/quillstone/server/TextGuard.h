// The checks every text passes at the library's boundary before it reaches the database or a
// barcode, so both backends store the same thing: no NUL byte, valid UTF-8, within its column and,
// for a code or a barcode part, held by the ANSI code page.
#pragma once

#include <string>

namespace quillstone {

class TextGuard {
 public:
  // How many characters of a value a message repeats.
  static constexpr std::size_t kEchoLimit = 200;

  static bool IsValidUtf8(const std::string& text);
  // Number of characters (code points) of valid UTF-8 text, as a varchar column counts them.
  static std::size_t CharCount(const std::string& text);
  // The first character the ANSI code page cannot hold; empty when it holds them all.
  static std::string FirstForeignChar(const std::string& text);

  // Raise the library's error, naming `role` (the value's part in the call), when the text has a
  // NUL byte or is not UTF-8 ...
  static void RequireStorable(const std::string& text, const std::string& role);
  // ... or also has more than `maxChars` characters (0: any length) ...
  static void RequireFits(const std::string& text, const std::string& role, std::size_t maxChars);
  // ... or also has a character the code page cannot hold, as a code or barcode part must not.
  static void RequireCodeText(const std::string& text, const std::string& role, std::size_t maxChars);
  // ... or also has a control character (a line break, a tab, an escape): a code that names a
  // record is shown in lists and messages, where such a character breaks or forges lines.
  static void RequireCode(const std::string& text, const std::string& role, std::size_t maxChars);

  // The value as a message may show it: at most kEchoLimit characters (then "…"), control
  // characters and bytes that are not UTF-8 written as escapes, so a message stays one line.
  static std::string Echo(const std::string& text);

  // Characters a whole message keeps; a longer one is cut there and its length noted.
  static constexpr std::size_t kMessageLimit = 600;
  static std::string Bounded(const std::string& message);
};

}  // namespace quillstone
