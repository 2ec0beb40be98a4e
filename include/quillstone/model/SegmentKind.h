// What each kind of rule segment is, in one table: its name in rule files, its catalogue row, and
// the registry column and inventory property it fills. Every place that needs one of these reads
// it here; the item source manager makes the source of each kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {

struct SegmentKind {
  ItemSourceType type;
  const char* jsonName;        // in rule files: "ISTBatch"
  const char* catalogueName;   // table ItemSourceType, sourceName: "批号"
  int16_t defaultLength;       // table ItemSourceType, length: the segment length offered
  const char* registryColumn;  // the registry column and inventory property: "cBatch"; "" when none
  const char* role;            // how a message names that property: "批号"; "" when none

  // Every kind, in the order of their values, without gaps.
  static const std::vector<SegmentKind>& All();
  // Null for a value that is no kind.
  static const SegmentKind* Of(int32_t type);
  // By rule-file name, letter case aside and "IST" optional ("batch", "ISTBatch"); null if none.
  static const SegmentKind* Named(const std::string& name);
};

}  // namespace quillstone
