// The failures of GS1 parsing and checking, each the library's error with a Chinese description
// that names the AI and what is wrong with the value.
#pragma once

#include <string>
#include <string_view>

#include "quillstone/gs1/Gs1Ai.h"

namespace quillstone {

class Gs1Failure {
 public:
  // A value as messages show it: quoted, control characters made visible, long texts cut.
  static std::string Shown(std::string_view value);
  // "AI(01) GTIN"
  static std::string Named(const Gs1Ai& ai);

  [[noreturn]] static void Raise(const std::string& description);
  [[noreturn]] static void UnknownAi(std::string_view code);
  [[noreturn]] static void WrongLength(const Gs1Ai& ai, std::string_view value);
  [[noreturn]] static void NotDigit(const Gs1Ai& ai, std::string_view value, std::string_view bad);
  [[noreturn]] static void OutsideCharset(const Gs1Ai& ai, std::string_view value, std::string_view bad);
  [[noreturn]] static void WrongCheckDigit(const Gs1Ai& ai, std::string_view value, int expected);
  [[noreturn]] static void BadDate(const Gs1Ai& ai, std::string_view value, const std::string& why);
  [[noreturn]] static void BadTime(const Gs1Ai& ai, std::string_view value, const std::string& why);
  [[noreturn]] static void Repeated(const Gs1Ai& ai, std::string_view first, std::string_view second);
  [[noreturn]] static void Trailing(std::string_view rest);
};

}  // namespace quillstone
