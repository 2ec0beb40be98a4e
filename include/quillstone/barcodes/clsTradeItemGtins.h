// The GTINs of an item's packaging levels: a carton or case carries a GTIN-14 of its own while
// master data keeps the item by its unit's GTIN. Each names the item, the unit of measure it is
// counted in (a ComputationUnit) and how many of the item's base units it holds, so receiving a
// carton's label gives the item and the quantity.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillstone {

class clsContext;
class Variant;

class clsTradeItemGtins {
 public:
  struct Level {
    std::string gtin;  // GTIN-14
    std::string inventoryId;
    std::string inventoryName;
    std::string unitId;
    std::string unitName;
    int64_t quantity = 0;  // base units in one
  };

  explicit clsTradeItemGtins(const std::shared_ptr<clsContext>& context) : context_(context) {}

  // Under the barcode function right. The GTIN may be given as GTIN-8, -12, -13 or -14 and is
  // kept as GTIN-14; it must be no item's own barcode, and the item must be visible to the user.
  Level Add(const std::string& gtin, const std::string& inventoryId, const std::string& unitId, int64_t quantity);
  void Remove(const std::string& gtin);
  // The levels of the items the user may see, by GTIN; of one item when `inventoryId` is given.
  std::vector<Level> List(const std::string& inventoryId = "");
  // The level a GTIN-14 names, under the user's data rights.
  std::optional<Level> Find(std::string_view gtin14);

  // The GTIN-14 of a GTIN in any length with a valid check digit; raises for any other text.
  static std::string Gtin14(const std::string& gtin);

 private:
  std::shared_ptr<clsContext> Context() const;
  std::vector<Level> Read(const std::string& condition, const std::vector<Variant>& params);

  std::weak_ptr<clsContext> context_;
};

}  // namespace quillstone
