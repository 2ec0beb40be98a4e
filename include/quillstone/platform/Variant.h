// A loosely typed value as the host's automation interfaces pass them: Empty, Null, text,
// integers, double, Boolean or date. Inventory properties and database fields are Variants.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <variant>

namespace quillstone {

class Variant {
 public:
  enum class Type { Empty, Null, String, Int16, Int32, Int64, Double, Bool, Date };

  struct NullTag {};
  static constexpr NullTag Null{};

  Variant() = default;
  Variant(NullTag) : value_(NullValue{}) {}
  Variant(const char* text) : value_(std::string(text)) {}
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(int16_t v) : value_(v) {}
  Variant(int32_t v) : value_(v) {}
  Variant(int64_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::chrono::year_month_day d) : value_(std::chrono::sys_days(d)) {}
  Variant(std::chrono::sys_days d) : value_(d) {}

  Type type() const { return static_cast<Type>(value_.index()); }
  bool isEmpty() const { return type() == Type::Empty; }
  bool isNull() const { return type() == Type::Null; }
  bool isText() const { return type() == Type::String; }
  bool isDate() const { return type() == Type::Date; }

  // Conversions in the manner of the host's own: they raise "类型不匹配" for values that
  // have no such form, "无效使用 Null" for Null and "溢出" for numbers out of range.
  std::string toString() const;  // Empty -> "", dates yyyy-MM-dd, Booleans True / False
  double toDouble() const;       // text parsed as a number; True is -1
  int16_t toInt16() const;       // rounds half to even
  int32_t toInt32() const;       // rounds half to even
  int64_t toInt64() const;       // rounds half to even
  bool toBool() const;           // non-zero numbers are True
  std::chrono::sys_days toDate() const;  // text must be a real day written yyyy-mm-dd

  // Same type and same value (text compared exactly).
  bool operator==(const Variant& other) const = default;

 private:
  struct EmptyValue {
    bool operator==(const EmptyValue&) const = default;
  };
  struct NullValue {
    bool operator==(const NullValue&) const = default;
  };
  std::variant<EmptyValue, NullValue, std::string, int16_t, int32_t, int64_t, double, bool, std::chrono::sys_days>
      value_;
};

}  // namespace quillstone
