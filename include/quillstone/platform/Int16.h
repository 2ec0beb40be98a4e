// Checked 16-bit arithmetic: counters, lengths and positions never wrap, they raise overflow.
#pragma once

#include <cstdint>

#include "quillstone/platform/Error.h"

namespace quillstone {

// Narrows a wider integer to 16 bits, raising the overflow failure when it does not fit.
inline int16_t ToInt16(long long value) {
  if (value < INT16_MIN || value > INT16_MAX) throw Error::Overflow();
  return static_cast<int16_t>(value);
}

inline int16_t Add16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) + b); }
inline int16_t Sub16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) - b); }

}  // namespace quillstone
