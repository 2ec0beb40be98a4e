// Turns barcode texts back into inventory properties: finds the rule a barcode follows and
// decodes it with DecodeBarCode.
#pragma once

#include <memory>
#include <string>

namespace quillstone {
class clsBarCodeRule;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
}  // namespace quillstone

namespace quillstone::cli {

class Session;

class BarCodeReader {
 public:
  explicit BarCodeReader(Session& session) : session_(session) {}

  // `ruleId` when given, else the rule the barcode was registered under; neither is a failure
  // that says what to do.
  std::shared_ptr<clsBarCodeRule> RuleFor(const std::string& barCode, const std::string& ruleId = "");
  // The registry entry, or nothing when the barcode is not registered or not visible to the user.
  std::shared_ptr<clsInventoryBarCodeSet> Registered(const std::string& barCode);
  std::shared_ptr<clsInventoryInfo> Decode(const std::string& barCode, const std::shared_ptr<clsBarCodeRule>& rule);

 private:
  Session& session_;
};

}  // namespace quillstone::cli
