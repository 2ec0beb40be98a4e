// The registry row of a barcode, built once and written as often as needed: a bulk registration
// writes the same properties under many barcode texts with one prepared statement.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class Connection;
class clsBarCode;
class clsBarCodeRule;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class clsItemSourceManager;
class clsRuleAssign;

namespace barcodes {

class RegistryRow {
 public:
  // The fixed columns and one column per property that the rule's segments carry; a property
  // without a value is refused, naming its segment.
  RegistryRow(const clsBarCode& barCode, const clsInventoryInfo& invInfo, const clsRuleAssign& assign,
              const clsBarCodeRule& rule, clsItemSourceManager& sources);

  const std::string& createDate() const { return createDate_; }

  // Writes the row under `barCode`; a registry key taken already, found by the key itself, is
  // the library's duplicate message.
  void Insert(Connection& conn, const std::string& barCode);
  // Writes one row per barcode with one statement (one round trip to a server), all or none.
  void InsertMany(Connection& conn, const std::vector<std::string>& barCodes);

  // The record of the row written under `barCode`, holding the caller's `invInfo` itself.
  std::shared_ptr<clsInventoryBarCodeSet> Record(const std::string& barCode,
                                                 const std::shared_ptr<clsInventoryInfo>& invInfo) const;

 private:
  static void Execute(Connection& conn, const std::string& sql, const std::vector<Variant>& values);

  std::string columns_;
  std::string marks_;
  std::string sql_;
  std::vector<Variant> values_;  // the barcode text at kBarCodeValue
  std::string createDate_;
  std::string ruleId_;
  std::string assignId_;
};

}  // namespace barcodes
}  // namespace quillstone
