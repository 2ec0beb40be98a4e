#include "quillstone/platform/DateTime.h"

#include <cstdio>
#include <ctime>

namespace quillstone {
namespace {

// Reads 1 to max_digits digits at pos; returns -1 when there are none.
int ReadNumber(const std::string& s, std::size_t& pos, std::size_t max_digits) {
  std::size_t start = pos;
  int n = 0;
  while (pos < s.size() && pos - start < max_digits && s[pos] >= '0' && s[pos] <= '9') n = n * 10 + (s[pos++] - '0');
  return pos == start ? -1 : n;
}

std::tm LocalNow() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

}  // namespace

std::optional<std::chrono::sys_days> ParseIsoDate(const std::string& text) {
  using namespace std::chrono;
  std::size_t pos = 0;
  std::size_t year_start = pos;
  int y = ReadNumber(text, pos, 4);
  if (y < 0 || pos - year_start != 4 || pos >= text.size()) return std::nullopt;
  char sep = text[pos];
  if (sep != '-' && sep != '/') return std::nullopt;
  ++pos;
  int m = ReadNumber(text, pos, 2);
  if (m < 0 || pos >= text.size() || text[pos] != sep) return std::nullopt;
  ++pos;
  int d = ReadNumber(text, pos, 2);
  if (d < 0 || pos != text.size()) return std::nullopt;
  year_month_day ymd{year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))};
  if (!ymd.ok()) return std::nullopt;
  return sys_days(ymd);
}

bool IsDate(const Variant& value) {
  if (value.isDate()) return true;
  if (!value.isText()) return false;
  std::string t = value.toString();
  std::size_t b = t.find_first_not_of(' ');
  std::size_t e = t.find_last_not_of(' ');
  if (b == std::string::npos) return false;
  return ParseIsoDate(t.substr(b, e - b + 1)).has_value();
}

std::string FormatIsoDate(std::chrono::sys_days day) {
  std::chrono::year_month_day ymd(day);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return buf;
}

std::string FormatDate(std::chrono::sys_days day, const std::string& format) {
  std::string iso = FormatIsoDate(day);  // yyyy-MM-dd
  std::string yyyy = iso.substr(0, 4), mm = iso.substr(5, 2), dd = iso.substr(8, 2);
  if (format == "yyyymmdd") return yyyy + mm + dd;
  if (format == "yymmdd") return yyyy.substr(2) + mm + dd;
  if (format == "yyyymm") return yyyy + mm;
  if (format == "yymm") return yyyy.substr(2) + mm;
  return "";
}

int DaysBetween(std::chrono::sys_days from, std::chrono::sys_days to) { return static_cast<int>((to - from).count()); }

std::chrono::sys_days Today() {
  std::tm tm = LocalNow();
  using namespace std::chrono;
  return sys_days(year_month_day(year(tm.tm_year + 1900), month(static_cast<unsigned>(tm.tm_mon + 1)),
                                 day(static_cast<unsigned>(tm.tm_mday))));
}

std::string NowText() {
  std::tm tm = LocalNow();
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return buf;
}

}  // namespace quillstone
