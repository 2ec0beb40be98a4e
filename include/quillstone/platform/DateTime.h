// Calendar days and the clock: validity of date texts, the barcode date formats, day differences.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "quillstone/platform/Variant.h"

namespace quillstone {

// A real calendar day written yyyy-mm-dd (month and day may have one digit, '/' may separate);
// anything else, 2003-13-01 and 2003-02-30 among them, gives nothing.
std::optional<std::chrono::sys_days> ParseIsoDate(const std::string& text);

// True for a date value, or for a text that ParseIsoDate accepts.
bool IsDate(const Variant& value);

// yyyy-MM-dd, the one text form of a date in this library.
std::string FormatIsoDate(std::chrono::sys_days day);

// Formats with one of the barcode date formats "yyyymmdd", "yymmdd", "yyyymm", "yymm";
// any other format gives the empty text.
std::string FormatDate(std::chrono::sys_days day, const std::string& format);

// Whole days from `from` to `to` (negative when `to` is earlier).
int DaysBetween(std::chrono::sys_days from, std::chrono::sys_days to);

std::chrono::sys_days Today();
// The current local time as yyyy-MM-dd HH:mm:ss.
std::string NowText();

}  // namespace quillstone
