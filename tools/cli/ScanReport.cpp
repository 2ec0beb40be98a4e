#include "cli/ScanReport.h"

#include "cli/Gs1Input.h"
#include "cli/RecordView.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/platform/Error.h"

namespace quillstone::cli {
namespace {

std::string RuleId(const clsScanService::Answer& answer) { return answer.rule ? answer.rule->ruleId() : ""; }

}  // namespace

std::string ScanReport::NotRegistered(const std::string& barCode) {
  return "条形码'" + barCode + "'没有登记（或者没有对它的访问权限）；请用--rule指定它的规则";
}

void ScanReport::RequireDecoded(clsScanService::Answer& answer) {
  if (answer.ok() && !answer.invInfo) answer.error = NotRegistered(answer.scanned);
}

nlohmann::json ScanReport::Json(const Line& line) {
  const auto& a = line.answer;
  nlohmann::json j = {{"scanned", a.scanned},
                      {"symbology", a.symbology},
                      {"barCode", Gs1Input::Visible(a.barCode)},
                      {"registered", a.registered()},
                      {"ruleId", RuleId(a)}};
  j["invInfo"] = a.invInfo ? RecordView::InventoryJson(*a.invInfo) : nlohmann::json(nullptr);
  j["symbologyIdentifier"] = a.symbologyIdentifier;
  if (a.gs1) j["gs1"] = Gs1Input::ElementsJson(*a.gs1);
  if (line.verifyAsked) j["verified"] = line.verified;
  if (!a.warnings().empty()) j["warnings"] = Gs1Input::WarningsJson(a.warnings());
  if (!a.ok()) j["error"] = a.error;
  return j;
}

void ScanReport::Print(const Line& line, std::ostream& out, std::ostream& errors) {
  const auto& a = line.answer;
  out << a.symbology << "  " << a.symbologyIdentifier << "  " << Gs1Input::Visible(a.barCode);
  if (a.scanned != a.barCode) out << "  (read as " << Gs1Input::Visible(a.scanned) << ")";
  if (a.rule) out << "  rule " << a.rule->ruleId();
  out << '\n';
  if (a.invInfo) RecordView::PropertyTable(*a.invInfo).Print(out, 2);
  if (a.gs1) Gs1Input::ElementTable(*a.gs1).Print(out, 2);
  if (line.verified) out << "  verified\n";
  const std::string shown = Gs1Input::Visible(a.barCode);
  if (!a.ok()) errors << shown << ": " << a.error << '\n';
  for (const auto& w : a.warnings()) errors << shown << ": 警告：" << w.message << '\n';
}

}  // namespace quillstone::cli
