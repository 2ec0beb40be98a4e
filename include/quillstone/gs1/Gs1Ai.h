// One GS1 application identifier as GS1's Barcode Syntax Dictionary describes it: its digits,
// data title, the components its value is made of with the checks each must pass, the AIs it
// needs or excludes, and its place in a Digital Link URI.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillstone {

enum class Gs1Charset : uint8_t {
  Numeric,       // digits only
  Alphanumeric,  // GS1's 82-character set
  Cset39,        // GS1's 39-character set: digits, capitals, '#', '-' and '/'
  Base64Url,     // A-Z a-z 0-9 '-' '_' (and '=' padding)
};

// The dictionary's content checks of one component ("linters"), by the dictionary's order.
enum class Gs1Linter : uint8_t {
  None,
  CheckDigit,          // csum: modulo 10, weights 3 and 1 from the right
  CheckCharacterPair,  // csumalpha: two check characters over the 82-character set
  CompanyPrefixAt1,    // gcppos1: a GS1 company prefix from the first digit (not checked)
  CompanyPrefixAt2,    // gcppos2: the same from the second digit (not checked)
  DateDay00,           // yymmd0: YYMMDD, day 00 for a month without a day
  Date,                // yymmdd
  Date8,               // yyyymmdd
  HourMinute,          // hhmi
  Hour,                // hh
  Minute,              // mi
  Second,              // ss
  Zero,                // the digit 0
  NonZero,             // not all zeros
  YesNo,               // 0 or 1
  Winding,             // 0, 1 or 9
  Hyphen,              // '-'
  PieceOfTotal,        // NNMM with 1 <= NN <= MM
  NoZeroPrefix,        // no leading zero
  HasNonDigit,         // at least one character that is no digit
  PercentEncoded,      // '%' only before two hex digits
  PositionInSequence,  // "n/m" with 1 <= n <= m
  Sex,                 // ISO/IEC 5218: 0, 1, 2 or 9
  Latitude,            // 10 digits, at most 1800000000
  Longitude,           // 10 digits, at most 3600000000
  ImporterIndex,       // one of A-Z a-z 0-9 '-' '_'
  Country,             // ISO 3166 numeric (not checked)
  CountryOr999,        // ISO 3166 numeric or 999 (not checked)
  CountryAlpha2,       // ISO 3166 alpha-2 (not checked)
  Currency,            // ISO 4217 numeric (not checked)
  Iban,                // (not checked)
  PackageType,         // (not checked)
  MediaType,           // (not checked)
  CouponCode,          // (not checked)
  CouponPositiveOffer, // (not checked)
};

// One part of a value: "N6,yymmdd", "[N3],iso3166", "X..20".
struct Gs1Component {
  Gs1Charset charset;
  uint8_t minLength;
  uint8_t maxLength;
  bool optional;
  std::array<Gs1Linter, 3> linters;
};

// What a rule item's segment must carry for an AI of one component (7003: its date and time).
enum class Gs1Check : uint8_t {
  None,
  CheckDigit,  // modulo 10 over the data digits, weights 3 and 1 from the right
  Date,        // YYMMDD, a real calendar day
  DateDay00,   // YYMMDD where day 00 stands for the month without a day
  DateTime,    // YYMMDDHHMM
};

struct Gs1Ai {
  std::string_view code;   // "01"
  std::string_view title;  // the dictionary's data title, "GTIN"
  std::string_view name;   // what it is, in Chinese where the library knows it, else the title
  Gs1Charset charset;      // Numeric when every component is, else Alphanumeric
  uint8_t minLength;
  uint8_t maxLength;
  Gs1Check check;
  // For the measures, amounts and percentages (310n-369n, 390n-395n) the number of decimals; -1 otherwise.
  int8_t decimals;
  std::string_view unit;  // "kg", "m²" ... of a measure; "%" of a percentage
  bool predefined;        // a length set by the standard: no separator after the field
  bool linkAttribute;     // may stand in a Digital Link's query
  bool linkKey;           // a Digital Link primary key
  // The qualifier sequences of a primary key, "22,10,21|235": one alternative, in its order.
  std::string_view linkQualifiers;
  // "01+21 03": one of the alternatives must all be in the same data; 'n' matches any digit.
  std::string_view required;
  // "255,37 390n": none of these may be in the same data (the AI itself excepted).
  std::string_view excludes;
  uint16_t firstComponent;
  uint8_t componentCount;
  bool usesYear;  // a component is a two-digit-year date

  bool fixedLength() const { return minLength == maxLength; }
  bool predefinedLength() const { return predefined; }
  std::span<const Gs1Component> Components() const;
};

}  // namespace quillstone
