// The one failure type of the library: a number, a source and a Chinese description,
// as a caller of an automation server would read them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillstone {

class Error : public std::runtime_error {
 public:
  // The library's own failure number, 0x800403E9 as a signed 32-bit value.
  static constexpr int32_t kLibraryNumber = -2147220503;
  // Numbers of the platform failures that carry no message of the library's own.
  static constexpr int32_t kOverflow = 6;
  static constexpr int32_t kTypeMismatch = 13;
  static constexpr int32_t kInvalidUseOfNull = 94;
  static constexpr int32_t kDatabase = -2147217900;

  // What the database said went wrong, where the library acts on it: a duplicate key is reported
  // with the library's own message, and a lost connection is opened again on the next call.
  enum class Fault { None, DuplicateKey, ConnectionLost };

  Error(int32_t number, std::string source, std::string description, Fault fault = Fault::None);

  int32_t number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }
  Fault fault() const noexcept { return fault_; }
  // The SQLSTATE of a database failure (PostgreSQL's own; the nearest one for an SQLite result
  // code), empty when unknown: what a caller can tell of the failure without its text.
  const std::string& state() const noexcept { return state_; }

  // Platform failures, each with its Chinese description.
  static Error Overflow();
  static Error TypeMismatch();
  static Error InvalidUseOfNull();
  static Error Database(const std::string& message);
  // A failure reported by the database or its driver: `what` says in Chinese what failed, the
  // driver's own text follows on the same line (blanks and line breaks folded, length bounded).
  static Error DatabaseFailure(const std::string& what, const std::string& driverText, Fault fault = Fault::None,
                               std::string state = "");

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
  Fault fault_;
  std::string state_;
};

}  // namespace quillstone
