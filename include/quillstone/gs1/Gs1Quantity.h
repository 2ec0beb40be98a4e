// A count or measure of a label as a number: the count of 30 and 37, each measure (310n-369n)
// with its unit, amounts, prices and percentages (390n-395n), the AI's decimals applied, so
// 3103 "001250" is 1.250 kg and not 1,250.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {

class Gs1Quantity {
 public:
  // The quantity a field carries; nothing for a field that is no count or measure.
  static std::optional<Gs1Quantity> Of(const Gs1Element& element);
  // Every quantity of the data, in the order read.
  static std::vector<Gs1Quantity> All(const Gs1ElementString& elements);

  const Gs1Ai& ai() const { return *ai_; }
  // The value's digits as on the label (for 391n and 393n after the currency code).
  std::string_view digits() const { return digits_; }
  // The number written with its decimals and without leading zeros: "1.250".
  const std::string& number() const { return number_; }
  double value() const;
  // "kg", "m²" ...; "%" for a percentage, the ISO 4217 code for 391n and 393n, empty for a
  // count or an amount in the local currency.
  std::string_view unit() const { return unit_; }
  // "1.250 kg"
  std::string Text() const;

 private:
  const Gs1Ai* ai_ = nullptr;
  std::string_view digits_;
  std::string number_;
  std::string_view unit_;
};

}  // namespace quillstone
