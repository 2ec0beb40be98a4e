// Query texts the host program needs from the library: the reference list of registered
// barcodes, restricted to what the logged-in user may see.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class clsContext;

class clsHelper {
 public:
  // Held weakly: the context owns the helper.
  void AttachContext(const std::shared_ptr<clsContext>& context);

  // A select over the barcodes in use (abandoned ones are never listed), with Chinese column
  // captions, joined to Inventory; `filter` is the caller's SQL condition, used verbatim.
  // Raises when the helper has no live context, since the user's data rights are then unknown.
  std::string GetBarCodeRefSQL(const std::string& filter);

 private:
  std::weak_ptr<clsContext> context_;
};

}  // namespace quillstone
