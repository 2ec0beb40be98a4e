#include "cli/BarCodeReader.h"

#include "cli/CliError.h"
#include "cli/ScanReport.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {

std::shared_ptr<clsInventoryBarCodeSet> BarCodeReader::Registered(const std::string& barCode) {
  return session_.BarCodes().LoadInventoryBarCodeSet(barCode);
}

std::shared_ptr<clsBarCodeRule> BarCodeReader::RuleFor(const std::string& barCode, const std::string& ruleId) {
  std::string id = ruleId;
  if (id.empty()) {
    auto set = Registered(barCode);
    if (!set) throw CliError(ScanReport::NotRegistered(barCode));
    id = set->ruleId();
  }
  auto rule = session_.Rules().LoadRule(id);
  if (!rule) throw CliError("条码规则'" + id + "'不存在");
  return rule;
}

std::shared_ptr<clsInventoryInfo> BarCodeReader::Decode(const std::string& barCode,
                                                        const std::shared_ptr<clsBarCodeRule>& rule) {
  auto info = std::make_shared<clsInventoryInfo>();
  session_.BarCodes().DecodeBarCode(barCode, rule, info);
  return info;
}

}  // namespace quillstone::cli
