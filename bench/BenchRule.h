// The rules the benchmark programs store: items in order, the rule's length their sum.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {
class clsBarCodeRule;
}

namespace quillstone::bench {

// One item of a benchmark's rule; `ai` for the items of a GS1 rule.
struct ItemDef {
  ItemSourceType type;
  int16_t length;
  const char* relevantValue;
  const char* ai = "";
};

// Not yet stored; named "基准规则" and the id unless `ruleName` is given.
std::shared_ptr<clsBarCodeRule> MakeRule(const std::string& ruleId, const std::vector<ItemDef>& items,
                                         const std::string& barCodeType = "1", const std::string& ruleName = "");

}  // namespace quillstone::bench
