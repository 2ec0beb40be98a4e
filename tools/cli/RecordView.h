// How the program shows the library's records: inventory properties, registry entries and rule
// assignments, as name/value lists for tables and as JSON for --json.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "cli/TablePrinter.h"
#include "quillstone/platform/Variant.h"
#include "quillstone/service/RecordJson.h"

namespace quillstone {
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class clsRuleAssign;
}  // namespace quillstone

namespace quillstone::cli {

class RecordView {
 public:
  using Property = service::RecordJson::Property;

  // The properties that hold a value (not Empty, Null or empty text), named as clsInventoryInfo
  // names them, codes first.
  static std::vector<Property> Properties(const clsInventoryInfo& info);

  // Empty and Null show as nothing; dates as yyyy-mm-dd.
  static std::string Text(const Variant& value);
  static nlohmann::json Json(const Variant& value);

  // A two-column table (property, value) of the properties that hold a value.
  static TablePrinter PropertyTable(const clsInventoryInfo& info);

  static nlohmann::json InventoryJson(const clsInventoryInfo& info);
  static nlohmann::json BarCodeSetJson(const clsInventoryBarCodeSet& set);
  static nlohmann::json AssignJson(const clsRuleAssign& assign);

  // "item" or "class", and the code and name of what the assignment is for.
  static std::string AssignKind(const clsRuleAssign& assign);
  static std::string AssignTarget(const clsRuleAssign& assign);
  static std::string AssignTargetName(const clsRuleAssign& assign);
};

}  // namespace quillstone::cli
