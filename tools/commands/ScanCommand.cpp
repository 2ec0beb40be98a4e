#include "commands/ScanCommand.h"

#include <iostream>
#include <vector>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "quillstone/scanning/ImageScanner.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/ScanResolver.h"
#include "cli/Session.h"
#include "cli/TablePrinter.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void ScanCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "scan", "Read the barcodes in a PNG or JPEG image, decode and optionally verify them");
  app_->add_option("IMAGE", image_, "PNG or JPEG image")->required()->check(CLI::ExistingFile);
  app_->add_option("--rule", ruleId_, "Rule to decode unregistered barcodes by");
  properties_.AddTo(*app_, true);
}

int ScanCommand::Run(Session& session) {
  const auto codes = ImageScanner::Scan(image_);
  if (codes.empty()) throw CliError("图片 '" + image_ + "' 中没有找到可读的条码");

  // Verification is asked for by naming the document's item or any of its properties.
  std::shared_ptr<clsInventoryInfo> document;
  if (properties_.hasItem() || properties_.Any()) document = properties_.Make(properties_.item());

  ScanResolver resolver(session);
  std::vector<ScanResolver::Outcome> outcomes;
  for (const auto& code : codes) outcomes.push_back(resolver.Resolve(code, ruleId_, document));
  bool allOk = true;
  bool warned = false;
  for (const auto& o : outcomes) {
    allOk = allOk && o.ok();
    warned = warned || !o.warnings.empty();
  }
  // As decode and verify: a failure is 1, a label read and received with warnings 3.
  const int status = !allOk ? 1 : warned ? Gs1Input::kWarningExit : 0;

  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& o : outcomes) {
      nlohmann::json j = {{"scanned", o.scanned},
                          {"symbology", o.symbology},
                          {"barCode", o.barCode},
                          {"registered", o.registered},
                          {"ruleId", o.ruleId}};
      j["invInfo"] = o.decoded ? RecordView::InventoryJson(*o.decoded) : nlohmann::json(nullptr);
      j["symbologyIdentifier"] = o.symbologyIdentifier;
      if (o.gs1) j["gs1"] = Gs1Input::ElementsJson(*o.gs1);
      if (o.verifyAsked) j["verified"] = o.verified;
      if (!o.warnings.empty()) j["warnings"] = Gs1Input::WarningsJson(o.warnings);
      if (!o.ok()) j["error"] = o.error;
      doc.push_back(j);
    }
    JsonOutput::Print(doc);
    return status;
  }

  for (const auto& o : outcomes) {
    std::cout << o.symbology << "  " << o.symbologyIdentifier << "  " << o.barCode;
    if (o.scanned != o.barCode) std::cout << "  (read as " << Gs1Input::Visible(o.scanned) << ")";
    if (!o.ruleId.empty()) std::cout << "  rule " << o.ruleId;
    std::cout << '\n';
    if (o.decoded) RecordView::PropertyTable(*o.decoded).Print(std::cout, 2);
    if (o.gs1) Gs1Input::ElementTable(*o.gs1).Print(std::cout, 2);
    if (o.verified) std::cout << "  verified\n";
    if (!o.ok()) std::cerr << o.barCode << ": " << o.error << '\n';
    for (const auto& w : o.warnings) std::cerr << o.barCode << ": 警告：" << w.message << '\n';
  }
  return status;
}

}  // namespace quillstone::cli
