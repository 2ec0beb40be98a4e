// Barcode rules as JSON documents: what `rule create`, `save` and `check` read and what
// `rule show --json` writes, so a shown rule can be edited and saved back.
//
//   {"ruleId": "R1", "ruleName": "...", "length": 13, "barCodeType": "Code 128", "description": "",
//    "items": [{"itemType": "ISTFixed", "length": 2, "relevantValue": "PH"}, ...]}
//
// itemType is the ItemSourceType name (the IST prefix and letter case optional) or its number.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {
class clsBarCodeRule;
}

namespace quillstone::cli {

class RuleJson {
 public:
  // Items are appended in document order; start positions follow from the lengths.
  static std::shared_ptr<clsBarCodeRule> FromJson(const nlohmann::json& doc);
  // Reads a rule file; "-" reads standard input.
  static std::shared_ptr<clsBarCodeRule> ReadFile(const std::string& path);
  static nlohmann::json ToJson(const clsBarCodeRule& rule);

  static std::string TypeName(ItemSourceType type);
  static ItemSourceType ParseType(const nlohmann::json& value);
};

}  // namespace quillstone::cli
