// The names the registry keeps beside an item's code (item name, class code and class name), read
// from the host's inventory master data, as a document-entry program fills them in.
#pragma once

#include <string>

namespace quillstone {
class clsInventoryInfo;
class Connection;
}  // namespace quillstone

namespace quillstone::cli {

class InventoryDirectory {
 public:
  // Fills the name, class code and class name of `info.inventoryId`; an unknown code leaves them
  // as they are (the library reports the item when it checks the barcode).
  static void Describe(Connection& conn, clsInventoryInfo& info);
};

}  // namespace quillstone::cli
