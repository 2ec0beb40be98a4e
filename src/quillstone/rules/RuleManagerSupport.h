// What the rule store, the assignments and the assignment lookup share: reading 16-bit fields
// and counts, cutting texts by characters, and making assignment codes.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace quillstone {

class Connection;
class Recordset;
class Variant;

namespace rules {

// The field as a 16-bit number, Null or unconvertible read as 0; a larger value overflows.
int16_t FieldInt16(const Recordset& row, const std::string& name);

// Field "i" of the first row of a query that has one "?" for `value` (Null read as 0).
int32_t CountOf(Connection& conn, const std::string& sql, const Variant& value);

// The first `count` characters (not bytes) of a UTF-8 text.
std::string LeftChars(const std::string& text, int count);
// The sum of the first `levels` digits of a class coding rule; a character that is no digit,
// or a position past the end, counts 0.
int16_t CodeLength(const std::string& codingRule, int16_t levels);

// An assignment code: "yyMMddHHmmss" of `local`, then the 4 digits after the leading 1 of
// int(random * 10000) + 10000 + counter.
std::string FormatAssignId(const std::tm& local, float random, int16_t counter);
std::tm LocalNow();
// A number in [0, 1) from a generator seeded from the clock on every call.
float TimerSeededRandom();

}  // namespace rules
}  // namespace quillstone
