// Base of the item sources that keep no segment length of their own: the rule item gives the
// length, or it is a constant of the kind. The length read from the source table is ignored and
// length() is always `kLength`.
#pragma once

#include <cstdint>

namespace quillstone {

template <class Source, int16_t kLength = 0>
class FixedLength : public Source {
 public:
  int16_t length() const override { return kLength; }
  void setLength(int16_t /*length*/) override {}
};

}  // namespace quillstone
