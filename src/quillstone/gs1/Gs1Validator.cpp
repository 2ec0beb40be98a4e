#include "src/quillstone/gs1/Gs1Validator.h"

#include <array>
#include <string>

#include "src/quillstone/gs1/Gs1Failure.h"
#include "quillstone/gs1/Gs1Date.h"

namespace quillstone {
namespace {

// GS1's 82 characters in the order their values count for the check character pair.
constexpr std::string_view kCharset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kCheckCharacters = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";

constexpr std::array<int8_t, 256> MakeValues(std::string_view set) {
  std::array<int8_t, 256> values{};
  for (auto& v : values) v = -1;
  for (std::size_t i = 0; i < set.size(); ++i) values[static_cast<unsigned char>(set[i])] = static_cast<int8_t>(i);
  return values;
}
constexpr std::array<int8_t, 256> kValue82 = MakeValues(kCharset82);
constexpr std::array<int8_t, 256> kValue39 = MakeValues("#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
constexpr std::array<int8_t, 256> kValue64 =
    MakeValues("-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz=");

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

bool InSet(Gs1Charset charset, char c) {
  const auto u = static_cast<unsigned char>(c);
  switch (charset) {
    case Gs1Charset::Numeric:
      return IsDigit(c);
    case Gs1Charset::Alphanumeric:
      return kValue82[u] >= 0;
    case Gs1Charset::Cset39:
      return kValue39[u] >= 0;
    case Gs1Charset::Base64Url:
      return kValue64[u] >= 0;
  }
  return false;
}

// The whole character at `at`, so a message never shows part of a UTF-8 sequence.
std::string_view CharacterAt(std::string_view value, std::size_t at) {
  std::size_t end = at + 1;
  if (static_cast<unsigned char>(value[at]) >= 0xC0)
    while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) ++end;
  return value.substr(at, end - at);
}

void CheckCharacters(const Gs1Ai& ai, Gs1Charset charset, std::string_view value, std::string_view part) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (InSet(charset, part[i])) continue;
    const std::string_view bad = CharacterAt(part, i);
    if (charset == Gs1Charset::Numeric) Gs1Failure::NotDigit(ai, value, bad);
    if (charset == Gs1Charset::Alphanumeric) Gs1Failure::OutsideCharset(ai, value, bad);
    Gs1Failure::Raise(Gs1Failure::Named(ai) + "的值" + Gs1Failure::Shown(value) + "中的" + Gs1Failure::Shown(bad) +
                      (charset == Gs1Charset::Cset39 ? "不在GS1的39个字符之内" : "不是base64url字符"));
  }
}

void CheckDate(const Gs1Ai& ai, std::string_view value, std::string_view part, int thisYear, bool day00) {
  if (Gs1Date::Day(part, thisYear, day00)) return;
  const int month = TwoDigits(part, 2);
  const int day = TwoDigits(part, 4);
  if (month < 1 || month > 12) Gs1Failure::BadDate(ai, value, "月份应为01到12");
  if (day == 0) Gs1Failure::BadDate(ai, value, "日不能为00");
  const int year = Gs1Date::FullYear(TwoDigits(part, 0), thisYear);
  Gs1Failure::BadDate(ai, value,
                      std::to_string(year) + "年" + std::to_string(month) + "月没有" + std::to_string(day) + "日");
}

void CheckDate8(const Gs1Ai& ai, std::string_view value, std::string_view part) {
  using namespace std::chrono;
  const int year = TwoDigits(part, 0) * 100 + TwoDigits(part, 2);
  const year_month_day day{std::chrono::year{year}, month{static_cast<unsigned>(TwoDigits(part, 4))},
                           std::chrono::day{static_cast<unsigned>(TwoDigits(part, 6))}};
  if (!day.ok()) Gs1Failure::BadDate(ai, value, "不是日历上的日期");
}

void Bounded(const Gs1Ai& ai, std::string_view value, int number, int high, const char* what) {
  if (number > high) Gs1Failure::BadTime(ai, value, std::string(what) + "应为00到" + std::to_string(high));
}

[[noreturn]] void Refuse(const Gs1Ai& ai, std::string_view value, const std::string& why) {
  Gs1Failure::Raise(Gs1Failure::Named(ai) + "的值" + Gs1Failure::Shown(value) + why);
}

void CheckDigitOf(const Gs1Ai& ai, std::string_view value, std::string_view part) {
  const int expected = Gs1Validator::CheckDigitFor(part.substr(0, part.size() - 1));
  if (part.back() - '0' != expected) Gs1Failure::WrongCheckDigit(ai, value, expected);
}

void CheckPercentEncoding(const Gs1Ai& ai, std::string_view value, std::string_view part) {
  const auto hex = [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
  for (std::size_t at = part.find('%'); at != std::string_view::npos; at = part.find('%', at + 1))
    if (at + 2 >= part.size() || !hex(part[at + 1]) || !hex(part[at + 2]))
      Refuse(ai, value, "中的'%'后应有两位十六进制数字");
}

void CheckLinter(const Gs1Ai& ai, Gs1Linter linter, std::string_view value, std::string_view part, int thisYear) {
  switch (linter) {
    case Gs1Linter::CheckDigit:
      return CheckDigitOf(ai, value, part);
    case Gs1Linter::CheckCharacterPair: {
      char pair[2];
      if (part.size() < 2 || Gs1Validator::CheckCharactersFor(part.substr(0, part.size() - 2), pair) !=
                                 part.substr(part.size() - 2))
        Refuse(ai, value, "的两位校验字符错误");
      return;
    }
    case Gs1Linter::DateDay00:
    case Gs1Linter::Date:
      return CheckDate(ai, value, part, thisYear, linter == Gs1Linter::DateDay00);
    case Gs1Linter::Date8:
      return CheckDate8(ai, value, part);
    case Gs1Linter::HourMinute:
      Bounded(ai, value, TwoDigits(part, 0), 23, "小时");
      return Bounded(ai, value, TwoDigits(part, 2), 59, "分钟");
    case Gs1Linter::Hour:
      return Bounded(ai, value, TwoDigits(part, 0), 23, "小时");
    case Gs1Linter::Minute:
      return Bounded(ai, value, TwoDigits(part, 0), 59, "分钟");
    case Gs1Linter::Second:
      return Bounded(ai, value, TwoDigits(part, 0), 59, "秒");
    case Gs1Linter::Zero:
      if (part != "0") Refuse(ai, value, "中的" + Gs1Failure::Shown(part) + "应为0");
      return;
    case Gs1Linter::NonZero:
      if (part.find_first_not_of('0') == std::string_view::npos) Refuse(ai, value, "中的" + Gs1Failure::Shown(part) + "不能全为0");
      return;
    case Gs1Linter::YesNo:
      if (part != "0" && part != "1") Refuse(ai, value, "中的" + Gs1Failure::Shown(part) + "应为0或1");
      return;
    case Gs1Linter::Winding:
      if (part != "0" && part != "1" && part != "9") Refuse(ai, value, "中的卷绕方向应为0、1或9");
      return;
    case Gs1Linter::Hyphen:
      if (part != "-") Refuse(ai, value, "中的" + Gs1Failure::Shown(part) + "应为'-'");
      return;
    case Gs1Linter::PieceOfTotal: {
      const int piece = TwoDigits(part, 0);
      const int total = TwoDigits(part, 2);
      if (piece == 0 || total == 0 || piece > total) Refuse(ai, value, "中的件号应在1到总件数之间");
      return;
    }
    case Gs1Linter::NoZeroPrefix:
      if (part.size() > 1 && part[0] == '0') Refuse(ai, value, "不能以0开头");
      return;
    case Gs1Linter::HasNonDigit:
      if (part.find_first_not_of("0123456789") == std::string_view::npos) Refuse(ai, value, "不能全是数字");
      return;
    case Gs1Linter::PercentEncoded:
      return CheckPercentEncoding(ai, value, part);
    case Gs1Linter::PositionInSequence: {
      const bool shape = part.size() == 3 && IsDigit(part[0]) && part[1] == '/' && IsDigit(part[2]);
      if (!shape || part[0] == '0' || part[0] > part[2]) Refuse(ai, value, "应为'序号/总数'，且1≤序号≤总数");
      return;
    }
    case Gs1Linter::Sex:
      if (part != "0" && part != "1" && part != "2" && part != "9") Refuse(ai, value, "应为0、1、2或9");
      return;
    case Gs1Linter::Latitude:
      if (part > std::string_view("1800000000")) Refuse(ai, value, "中的纬度超出范围");
      return;
    case Gs1Linter::Longitude:
      if (part > std::string_view("3600000000")) Refuse(ai, value, "中的经度超出范围");
      return;
    case Gs1Linter::ImporterIndex:
      if (kValue64[static_cast<unsigned char>(part[0])] < 0 || part[0] == '=')
        Refuse(ai, value, "中的进口商索引" + Gs1Failure::Shown(part) + "应为字母、数字、'-'或'_'");
      return;
    default:
      // Company prefixes, country and currency codes, IBANs, package and media types and coupon
      // contents need lists this library does not keep.
      return;
  }
}

}  // namespace

bool Gs1Validator::InCharset82(char c) { return kValue82[static_cast<unsigned char>(c)] >= 0; }

int Gs1Validator::CheckDigitFor(std::string_view dataDigits) {
  int sum = 0;
  int weight = 3;
  for (auto it = dataDigits.rbegin(); it != dataDigits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return (10 - sum % 10) % 10;
}

std::string_view Gs1Validator::CheckCharactersFor(std::string_view data, char (&out)[2]) {
  static constexpr int kPrimes[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                                    41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83};
  if (data.size() > std::size(kPrimes)) return {};
  int sum = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const int value = kValue82[static_cast<unsigned char>(data[data.size() - 1 - i])];
    if (value < 0) return {};
    sum += value * kPrimes[i];
  }
  sum %= 1021;
  out[0] = kCheckCharacters[sum >> 5];
  out[1] = kCheckCharacters[sum & 31];
  return {out, 2};
}

void Gs1Validator::Check(const Gs1Ai& ai, std::string_view value, int thisYear) {
  if (value.size() < ai.minLength || value.size() > ai.maxLength) Gs1Failure::WrongLength(ai, value);
  std::size_t at = 0;
  for (const Gs1Component& component : ai.Components()) {
    if (component.optional && at == value.size()) break;
    // Only the last component varies in length, so each takes its length from the front.
    const std::size_t rest = value.size() - at;
    const std::size_t length = rest < component.maxLength ? rest : component.maxLength;
    if (length < component.minLength) Gs1Failure::WrongLength(ai, value);
    const std::string_view part = value.substr(at, length);
    CheckCharacters(ai, component.charset, value, part);
    for (Gs1Linter linter : component.linters) {
      if (linter == Gs1Linter::None) break;
      CheckLinter(ai, linter, value, part, thisYear);
    }
    at += length;
  }
  if (at != value.size()) Gs1Failure::WrongLength(ai, value);
}

}  // namespace quillstone
