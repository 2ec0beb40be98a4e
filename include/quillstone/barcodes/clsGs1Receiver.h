// Receiving goods by their makers' GS1 labels: a scanned element string becomes this ERP's
// inventory info, the item found by its GTIN (its own, or a packaging level's) in the inventory
// master data under the user's data rights, with batch, production and expiry dates, every count
// and measure as a number with its unit, and warnings a clerk must see: expired goods, a passed
// best-before date, a stopped item.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillstone/barcodes/clsTradeItemGtins.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/gs1/Gs1Quantity.h"

namespace quillstone {

class clsContext;
class clsInventoryInfo;

class clsGs1Receiver {
 public:
  struct Warning {
    std::string kind;     // "expired", "bestBefore" or "stopped"
    std::string message;  // in Chinese, for the clerk
  };
  struct Receipt {
    std::shared_ptr<clsInventoryInfo> invInfo;
    // Every field of the label (serial, count, weight ... included), in the order read.
    Gs1ElementString elements;
    // The counts (30, 37) and measures of the label as numbers with their units.
    std::vector<Gs1Quantity> quantities;
    // The packaging level a carton's or pallet's GTIN names, with the quantity received in the
    // item's base units (its base units times the count of 37 where the label has one).
    std::optional<clsTradeItemGtins::Level> packaging;
    std::optional<int64_t> baseQuantity;
    std::vector<Warning> warnings;
  };

  clsGs1Receiver() = default;
  // Held weakly, as the managers hold it: the service root owns the context.
  explicit clsGs1Receiver(const std::shared_ptr<clsContext>& context) { AttachContext(context); }
  void AttachContext(const std::shared_ptr<clsContext>& context);

  // Strict receiving refuses a label that would carry a warning.
  bool bStrict() const { return strict_; }
  void setBStrict(bool strict) { strict_ = strict; }

  // Parses and checks the label's data in any of its three forms, then receives it.
  Receipt Receive(std::string_view scanned);
  // 01 (else 02) names the item; 10 is the batch, 11 the production date, 17 (else the date of
  // 7003, else 15) the expiry date, all as yyyy-MM-dd.
  std::shared_ptr<clsInventoryInfo> Receive(const Gs1ElementString& elements);
  // The same, with everything the label carries besides (measures, packaging level, warnings).
  Receipt ReceiveLabel(const Gs1ElementString& elements);


 private:
  std::shared_ptr<clsContext> Context() const;
  void Fill(Receipt& receipt) const;
  void Warn(Receipt& receipt, const std::string& stopDate) const;

  std::weak_ptr<clsContext> context_;
  bool strict_ = false;
};

}  // namespace quillstone
