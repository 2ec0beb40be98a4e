// One GS1 application identifier as the element-string syntax needs it: its digits, data title,
// character set, length, the check its value must pass, and its place in a Digital Link URI.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillstone {

enum class Gs1Charset : uint8_t {
  Numeric,       // digits only
  Alphanumeric,  // GS1's 82-character set
};

enum class Gs1Check : uint8_t {
  None,
  CheckDigit,  // modulo 10 over the data digits, weights 3 and 1 from the right
  Date,        // YYMMDD, a real calendar day
  DateDay00,   // YYMMDD where day 00 stands for the month without a day
  DateTime,    // YYMMDDHHMM
};

enum class Gs1LinkRole : uint8_t {
  Attribute,   // in the query of a Digital Link URI
  PrimaryKey,  // first in the path
  Qualifier,   // in the path after its primary key, in `linkOrder`
};

struct Gs1Ai {
  std::string_view code;   // "01"
  std::string_view title;  // the standard's data title, "GTIN"
  std::string_view name;   // what it is, in Chinese
  Gs1Charset charset;
  uint8_t minLength;
  uint8_t maxLength;
  Gs1Check check = Gs1Check::None;
  // For the measures (3100-3105 and their kin) the number of decimals; -1 otherwise.
  int8_t decimals = -1;
  Gs1LinkRole linkRole = Gs1LinkRole::Attribute;
  // The primary key a qualifier belongs to, and its position among that key's qualifiers.
  std::string_view qualifies = {};
  uint8_t linkOrder = 0;

  bool fixedLength() const { return minLength == maxLength; }
  // The AIs whose first two digits are 00-04, 11-20, 31-36 or 41 have a length set by the
  // standard, so a field of theirs needs no separator after it.
  bool predefinedLength() const;
};

}  // namespace quillstone
