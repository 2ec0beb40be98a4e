// Encodes and registers barcodes for an inventory item the way a client of the library does: the
// rule comes from the assignment that governs the item, the barcode from EncodeBarCode, and the
// registry entries from CreateBarCodes, which draws the real sequence numbers, many at once.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace quillstone {
class clsBarCode;
class clsBarCodeRule;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class clsRuleAssign;
}  // namespace quillstone

namespace quillstone::cli {

class InventoryOptions;
class Session;

class Registrar {
 public:
  struct Plan {
    std::shared_ptr<clsRuleAssign> assign;
    std::shared_ptr<clsBarCodeRule> rule;
  };

  explicit Registrar(Session& session) : session_(session) {}

  // The assignment that governs the item and its rule; none is a failure that names the item.
  Plan PlanFor(const std::string& inventoryId);
  // Adds the item's name and class to `info` from master data.
  void Describe(clsInventoryInfo& info);
  // The plan for the item, and its record with name, class and the given properties.
  std::pair<Plan, std::shared_ptr<clsInventoryInfo>> Prepare(const std::string& inventoryId,
                                                             const InventoryOptions& properties);

  std::shared_ptr<clsBarCode> Encode(const Plan& plan, const std::shared_ptr<clsInventoryInfo>& info);
  using Registered = std::function<void(const std::shared_ptr<clsInventoryBarCodeSet>&)>;
  // Registers `count` barcodes with successive sequence numbers, in chunks of `chunkSize` that
  // are each stored whole or not at all, handing each entry to `registered` once its chunk is
  // stored (so a failure part-way still leaves the caller knowing exactly what was stored).
  static constexpr int kDefaultChunk = 10000;
  void Register(const Plan& plan, const std::shared_ptr<clsInventoryInfo>& info, int count, int chunkSize,
                const Registered& registered);

 private:
  Session& session_;
};

}  // namespace quillstone::cli
