// JSON of the library's records: rules, registry entries, inventory properties and
// the scanning service's answers. Property names are the library's own.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "quillstone/platform/Variant.h"
#include "quillstone/scanning/clsScanService.h"

namespace quillstone {
class clsBarCode;
class clsBarCodeRule;
class clsBarCodeRuleItem;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
}  // namespace quillstone

namespace quillstone::service {

class RecordJson {
 public:
  // Empty and Null are null; numbers stay numbers; dates are yyyy-mm-dd.
  static nlohmann::json Value(const Variant& value);
  // An inventory property by its name in JSON, with its value.
  using Property = std::pair<std::string, Variant>;
  // The properties that hold a value, in the library's order. A registry row holds Null in the
  // columns its rule did not store, so Null, like Empty and empty text, means "no value".
  static std::vector<Property> Properties(const clsInventoryInfo& info);
  static nlohmann::json Inventory(const clsInventoryInfo& info);
  // Kind and message of each warning a received label carries.
  static nlohmann::json Warnings(const std::vector<clsGs1Receiver::Warning>& warnings);
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
