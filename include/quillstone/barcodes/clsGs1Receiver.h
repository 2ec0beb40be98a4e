// Receiving goods by their makers' GS1 labels: a scanned element string becomes this ERP's
// inventory info, the item found by its GTIN in the inventory master data under the user's data
// rights, with batch, production and expiry dates, and every AI read handed back beside it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {

class clsContext;
class clsInventoryInfo;

class clsGs1Receiver {
 public:
  struct Receipt {
    std::shared_ptr<clsInventoryInfo> invInfo;
    // Every field of the label (serial, count, weight ... included), in the order read.
    Gs1ElementString elements;
  };

  clsGs1Receiver() = default;
  // Held weakly, as the managers hold it: the service root owns the context.
  explicit clsGs1Receiver(const std::shared_ptr<clsContext>& context) { AttachContext(context); }
  void AttachContext(const std::shared_ptr<clsContext>& context);

  // Parses and checks the label's data in any of its three forms, then receives it.
  Receipt Receive(std::string_view scanned);
  // 01 (else 02) names the item; 10 is the batch, 11 the production date, 17 (else 15) the
  // expiry date, both as yyyy-MM-dd.
  std::shared_ptr<clsInventoryInfo> Receive(const Gs1ElementString& elements);

  // The texts under which master data may hold a GTIN-14: itself and, where it starts with
  // enough zeros, its GTIN-13, -12 and -8 forms.
  static std::vector<std::string> MasterDataForms(std::string_view gtin14);

 private:
  std::shared_ptr<clsContext> Context() const;
  void FindItem(std::string_view gtin, clsInventoryInfo& info) const;

  std::weak_ptr<clsContext> context_;
};

}  // namespace quillstone
