#include "quillstone/platform/Variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

// Parses a whole text as a decimal number; anything else is a type mismatch.
double ParseNumber(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty()) throw Error::TypeMismatch();
  char* end = nullptr;
  double d = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0' || std::isnan(d)) throw Error::TypeMismatch();
  if (std::isinf(d)) throw Error::Overflow();
  return d;
}

std::string FormatDouble(double d) {
  if (d == std::floor(d) && std::fabs(d) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", d);
    return std::string(buf) == "-0" ? "0" : buf;
  }
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", d);
  return buf;
}

// Rounds to the nearest integer, halves to even, and checks the target range.
int64_t RoundChecked(double d, double lo, double hi) {
  if (std::isnan(d)) throw Error::Overflow();
  double r = std::nearbyint(d);  // default rounding mode: to nearest, ties to even
  if (r < lo || r > hi) throw Error::Overflow();
  return static_cast<int64_t>(r);
}

}  // namespace

std::string Variant::toString() const {
  switch (type()) {
    case Type::Empty:
      return "";
    case Type::Null:
      throw Error::InvalidUseOfNull();
    case Type::String:
      return std::get<std::string>(value_);
    case Type::Int16:
      return std::to_string(std::get<int16_t>(value_));
    case Type::Int32:
      return std::to_string(std::get<int32_t>(value_));
    case Type::Int64:
      return std::to_string(std::get<int64_t>(value_));
    case Type::Double:
      return FormatDouble(std::get<double>(value_));
    case Type::Bool:
      return std::get<bool>(value_) ? "True" : "False";
    case Type::Date:
      return FormatIsoDate(std::get<std::chrono::sys_days>(value_));
  }
  throw Error::TypeMismatch();
}

double Variant::toDouble() const {
  switch (type()) {
    case Type::Empty:
      return 0;
    case Type::Null:
      throw Error::InvalidUseOfNull();
    case Type::String:
      return ParseNumber(std::get<std::string>(value_));
    case Type::Int16:
      return std::get<int16_t>(value_);
    case Type::Int32:
      return std::get<int32_t>(value_);
    case Type::Int64:
      return static_cast<double>(std::get<int64_t>(value_));
    case Type::Double:
      return std::get<double>(value_);
    case Type::Bool:
      return std::get<bool>(value_) ? -1 : 0;
    case Type::Date: {
      // Serial day number counted from 1899-12-30, as the host's dates are.
      using namespace std::chrono;
      return static_cast<double>(
          (std::get<sys_days>(value_) - sys_days(year_month_day(year(1899), month(12), day(30)))).count());
    }
  }
  throw Error::TypeMismatch();
}

int64_t Variant::toInt64() const {
  if (type() == Type::Int64) return std::get<int64_t>(value_);
  return RoundChecked(toDouble(), -9223372036854775808.0, 9223372036854774784.0);
}

int32_t Variant::toInt32() const {
  return static_cast<int32_t>(RoundChecked(toDouble(), std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
}

int16_t Variant::toInt16() const {
  return static_cast<int16_t>(RoundChecked(toDouble(), INT16_MIN, INT16_MAX));
}

bool Variant::toBool() const {
  switch (type()) {
    case Type::Bool:
      return std::get<bool>(value_);
    case Type::String: {
      std::string t = Trim(std::get<std::string>(value_));
      if (t == "True" || t == "true" || t == "TRUE") return true;
      if (t == "False" || t == "false" || t == "FALSE") return false;
      return ParseNumber(t) != 0;
    }
    default:
      return toDouble() != 0;
  }
}

std::chrono::sys_days Variant::toDate() const {
  switch (type()) {
    case Type::Date:
      return std::get<std::chrono::sys_days>(value_);
    case Type::Null:
      throw Error::InvalidUseOfNull();
    case Type::String: {
      auto d = ParseIsoDate(Trim(std::get<std::string>(value_)));
      if (!d) throw Error::TypeMismatch();
      return *d;
    }
    default:
      throw Error::TypeMismatch();
  }
}

}  // namespace quillstone
