// One item of a rule a test builds: its kind, its length and its relevant value.
#pragma once

#include <cstdint>
#include <string>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone::test {

struct SegmentDef {
  ItemSourceType type;
  int16_t length;
  std::string relevantValue = "";
};

}  // namespace quillstone::test
