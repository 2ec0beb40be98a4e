// The dates of GS1 fields (YYMMDD): two-digit years read in the standard's window of 49 years
// back and 50 ahead, and the day 00 that stands for a month without a day.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace quillstone {

class Gs1Date {
 public:
  static int ThisYear();
  // The four-digit year of `yy` (0-99), within 49 years before and 50 after `thisYear`.
  static int FullYear(int yy, int thisYear);
  // The calendar day of a YYMMDD value; day 00 (where `day00` allows it) is the first or the
  // last day of the month as `day00IsLast` says. Nothing for a day that does not exist.
  static std::optional<std::chrono::sys_days> Day(std::string_view yymmdd, int thisYear, bool day00,
                                                  bool day00IsLast = true);
};

}  // namespace quillstone
