// The demo's receiving step: a supplier's carton label in GS1-128 is printed, scanned back and
// received to the item master data knows by its GTIN, with batch, dates and serial.
#pragma once

#include <string>

namespace quillstone::cli {

class DemoWorkspace;
class Session;

class DemoReceiving {
 public:
  // True when the label was read back to the supplier's item with the label's batch; prints what
  // it did unless the output is --json.
  static bool Run(Session& session, const DemoWorkspace& workspace);
};

}  // namespace quillstone::cli
