#include "Gs1Validator.h"

#include <array>
#include <string>

#include "Gs1Failure.h"
#include "quillstone/gs1/Gs1Date.h"

namespace quillstone {
namespace {

constexpr std::array<bool, 256> MakeCharset82() {
  std::array<bool, 256> set{};
  for (char c : std::string_view("!\"%&'()*+,-./:;<=>?_")) set[static_cast<unsigned char>(c)] = true;
  for (int c = '0'; c <= '9'; ++c) set[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) set[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) set[c] = true;
  return set;
}
constexpr std::array<bool, 256> kCharset82 = MakeCharset82();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

// The whole character at `at`, so a message never shows part of a UTF-8 sequence.
std::string_view CharacterAt(std::string_view value, std::size_t at) {
  std::size_t end = at + 1;
  if (static_cast<unsigned char>(value[at]) >= 0xC0)
    while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) ++end;
  return value.substr(at, end - at);
}

void CheckCharacters(const Gs1Ai& ai, std::string_view value) {
  const bool numeric = ai.charset == Gs1Charset::Numeric;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (numeric ? IsDigit(value[i]) : Gs1Validator::InCharset82(value[i])) continue;
    if (numeric) Gs1Failure::NotDigit(ai, value, CharacterAt(value, i));
    Gs1Failure::OutsideCharset(ai, value, CharacterAt(value, i));
  }
}

void CheckDate(const Gs1Ai& ai, std::string_view value, int thisYear, bool day00) {
  if (Gs1Date::Day(value, thisYear, day00)) return;
  const int month = TwoDigits(value, 2);
  const int day = TwoDigits(value, 4);
  if (month < 1 || month > 12) Gs1Failure::BadDate(ai, value, "月份应为01到12");
  if (day == 0) Gs1Failure::BadDate(ai, value, "日不能为00");
  const int year = Gs1Date::FullYear(TwoDigits(value, 0), thisYear);
  Gs1Failure::BadDate(ai, value,
                      std::to_string(year) + "年" + std::to_string(month) + "月没有" + std::to_string(day) + "日");
}

void CheckTime(const Gs1Ai& ai, std::string_view value) {
  if (TwoDigits(value, 6) > 23) Gs1Failure::BadTime(ai, value, "小时应为00到23");
  if (TwoDigits(value, 8) > 59) Gs1Failure::BadTime(ai, value, "分钟应为00到59");
}

}  // namespace

bool Gs1Validator::InCharset82(char c) { return kCharset82[static_cast<unsigned char>(c)]; }

int Gs1Validator::CheckDigitFor(std::string_view dataDigits) {
  int sum = 0;
  int weight = 3;
  for (auto it = dataDigits.rbegin(); it != dataDigits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return (10 - sum % 10) % 10;
}

void Gs1Validator::Check(const Gs1Ai& ai, std::string_view value, int thisYear) {
  if (value.size() < ai.minLength || value.size() > ai.maxLength) Gs1Failure::WrongLength(ai, value);
  CheckCharacters(ai, value);
  switch (ai.check) {
    case Gs1Check::None:
      break;
    case Gs1Check::CheckDigit: {
      const int expected = CheckDigitFor(value.substr(0, value.size() - 1));
      if (value.back() - '0' != expected) Gs1Failure::WrongCheckDigit(ai, value, expected);
      break;
    }
    case Gs1Check::Date:
    case Gs1Check::DateDay00:
      CheckDate(ai, value, thisYear, ai.check == Gs1Check::DateDay00);
      break;
    case Gs1Check::DateTime:
      CheckDate(ai, value, thisYear, false);
      CheckTime(ai, value);
      break;
  }
}

}  // namespace quillstone
