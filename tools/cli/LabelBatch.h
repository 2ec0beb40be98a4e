// The labels a command prints, in order: each barcode with its rule's symbology and its item's
// name, looked up through the library under the user's data rights.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "quillstone/labels/Label.h"

namespace quillstone {
class clsInventoryBarCodeSet;
}

namespace quillstone::cli {

class Session;

class LabelBatch {
 public:
  explicit LabelBatch(Session& session) : session_(session) {}

  // A registered barcode, as the registry keeps it.
  void Add(const clsInventoryBarCodeSet& set);
  // A barcode by its text: the registry entry when the user may see it; otherwise `ruleId` must
  // name its rule, and the item is what the barcode decodes to (no name when it decodes to none).
  void Add(const std::string& barCode, const std::string& ruleId);
  // A label made elsewhere (from GS1 data), of no rule.
  void AddLabel(Label label);

  const std::vector<Label>& labels() const { return labels_; }
  // The rule of each label, in the same order.
  const std::vector<std::string>& ruleIds() const { return ruleIds_; }

 private:
  Symbology SymbologyOf(const std::string& ruleId);

  Session& session_;
  std::vector<Label> labels_;
  std::vector<std::string> ruleIds_;
  std::map<std::string, Symbology> symbologies_;
};

}  // namespace quillstone::cli
