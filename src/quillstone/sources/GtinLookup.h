// The one way an item is found by its GTIN. Master data may keep a GTIN-14 in any of its lengths
// (GTIN-8, -12, -13 or -14); decoding a GS1 rule's barcode and receiving a supplier's label both
// ask here, so both find the same item and both refuse a GTIN that two items carry.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quillstone {

class Connection;
class Recordset;

class GtinLookup {
 public:
  // The item's row (Inventory's columns and its class name, cInvCName) among the items `visible`
  // admits (an SQL condition on Inventory, the user's data rights; empty: every item). No row
  // when no item carries the GTIN; two items raise the library's error naming both.
  static std::shared_ptr<Recordset> Item(Connection& conn, std::string_view gtin14, const std::string& visible = "");
};

}  // namespace quillstone
