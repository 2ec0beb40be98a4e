// The shared codec of the segments that stand for a master-data record (inventory item, class,
// vendor, warehouse, position, unit): a segment is the record's own cBarCode column.
#pragma once

#include <string>

#include "src/quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class Recordset;

class clsMasterDataItemSource : public clsCommonItemSource {
 public:
  // Keeps the context: every query runs on its connection.
  void InitSource(const std::shared_ptr<clsContext>& context) override;

  // The segment must have the rule item's length and equal the barcode of the record the
  // inventory info names (the stored barcode is trimmed, the segment is not).
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  // The barcode of the record the inventory info names; a missing record is not an error here.
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  // Finds the record whose barcode is the segment and writes its code (and names) into the info.
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;

 protected:
  // What tells the members of the family apart. Each query binds one value.
  struct Definition {
    const char* lookupSql;  // cBarCode of the record by its code
    const char* verifySql;  // the record by its code
    const char* decodeSql;  // the record by its cBarCode
    const char* keyColumn;  // the code column, written back by Decode
    const char* lengthPrefix;    // segment of the wrong length
    const char* notFoundPrefix;  // no record has the info's code
    const char* mismatchPrefix;  // the record's barcode differs from the segment
    const char* decodeSuffix;    // no record has the segment as its barcode
    // A missing record encodes blanks of the segment's length; otherwise the empty text.
    bool missingEncodesBlanks = true;
  };

  explicit clsMasterDataItemSource(const Definition& definition) : definition_(definition) {}

  // Writes the decoded record into the info; by default its code into the property of itemType().
  virtual void WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const;
  // The segment a record's stored barcode makes under the rule item; by default the barcode.
  virtual std::string SegmentOf(const std::string& stored, const std::string& code, const RuleItemPtr& ruleItem) const;
  // The record whose barcode the segment is, or an empty recordset.
  virtual std::shared_ptr<Recordset> FindBySegment(const std::string& value, const RuleItemPtr& ruleItem) const;

 private:
  std::string LookupBarCode(const std::string& code, const RuleItemPtr& ruleItem) const;

  Definition definition_;
};

}  // namespace quillstone
