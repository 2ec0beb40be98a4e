#include "quillstone/gs1/Gs1Date.h"

namespace quillstone {
namespace {

int TwoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

}  // namespace

int Gs1Date::ThisYear() {
  using namespace std::chrono;
  return static_cast<int>(year_month_day(floor<days>(system_clock::now())).year());
}

int Gs1Date::FullYear(int yy, int thisYear) {
  int year = thisYear - thisYear % 100 + yy;
  if (year > thisYear + 50) year -= 100;
  if (year < thisYear - 49) year += 100;
  return year;
}

std::optional<std::chrono::sys_days> Gs1Date::Day(std::string_view yymmdd, int thisYear, bool day00, bool day00IsLast) {
  using namespace std::chrono;
  if (yymmdd.size() < 6) return std::nullopt;
  for (std::size_t i = 0; i < 6; ++i)
    if (yymmdd[i] < '0' || yymmdd[i] > '9') return std::nullopt;
  const year y{FullYear(TwoDigits(yymmdd, 0), thisYear == 0 ? ThisYear() : thisYear)};
  const month m{static_cast<unsigned>(TwoDigits(yymmdd, 2))};
  const int d = TwoDigits(yymmdd, 4);
  if (!m.ok()) return std::nullopt;
  if (d == 0) {
    if (!day00) return std::nullopt;
    return day00IsLast ? sys_days(y / m / last) : sys_days(y / m / 1);
  }
  const year_month_day ymd{y, m, day{static_cast<unsigned>(d)}};
  if (!ymd.ok()) return std::nullopt;
  return sys_days(ymd);
}

}  // namespace quillstone
