// JSON of the library's records: rules, registry entries, inventory properties and
// the scanning service's answers. Property names are the library's own.
#pragma once

#include <nlohmann/json.hpp>

#include "quillstone/scanning/clsScanService.h"

namespace quillstone {
class clsBarCode;
class clsBarCodeRule;
class clsBarCodeRuleItem;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class Variant;
}  // namespace quillstone

namespace quillstone::service {

class RecordJson {
 public:
  // Empty and Null are null; numbers stay numbers; dates are yyyy-mm-dd.
  static nlohmann::json Value(const Variant& value);
  // The properties that hold a value.
  static nlohmann::json Inventory(const clsInventoryInfo& info);
  static nlohmann::json BarCodeSet(const clsInventoryBarCodeSet& set);
  static nlohmann::json Rule(const clsBarCodeRule& rule);
  static nlohmann::json ScanAnswer(const clsScanService::Answer& answer);
  // A barcode as the rule makes it, segment by segment, before it is registered.
  static nlohmann::json Encoding(const clsBarCode& barCode, const std::string& assignId);

 private:
  static const char* KindName(clsScanService::Kind kind);
  static nlohmann::json Gs1Elements(const Gs1ElementString& elements);
  static std::string ItemTypeName(const clsBarCodeRuleItem& item);
};

}  // namespace quillstone::service
