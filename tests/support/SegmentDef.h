// One item of a rule a test builds: its kind, its length, its relevant value and its GS1 AI.
#pragma once

#include <cstdint>
#include <string>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone::test {

struct SegmentDef {
  ItemSourceType type;
  int16_t length;
  std::string relevantValue = "";
  std::string ai = "";  // the GS1 application identifier, for rules of a GS1 symbology
};

}  // namespace quillstone::test
