// One sequence number in memory: the rule item it belongs to, its width and the next value to hand
// out, as the sequence manager loads, advances and saves it.
#pragma once

#include <cstdint>
#include <string>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class clsSequence {
 public:
  const std::string& ruleId() const { return ruleId_; }
  void setRuleId(std::string v) { ruleId_ = std::move(v); }
  int16_t index() const { return index_; }
  void setIndex(int16_t v) { index_ = v; }
  const std::string& sequenceName() const { return sequenceName_; }
  void setSequenceName(std::string v) { sequenceName_ = std::move(v); }
  // Width of the number in characters, as decimal text.
  const std::string& length() const { return length_; }
  void setLength(std::string v) { length_ = std::move(v); }
  // The next number to hand out, as text of length() digits.
  const Variant& curValue() const { return curValue_; }
  void setCurValue(Variant v) { curValue_ = std::move(v); }

 private:
  std::string ruleId_;
  int16_t index_ = 0;
  std::string sequenceName_;
  std::string length_;
  Variant curValue_;
};

}  // namespace quillstone
