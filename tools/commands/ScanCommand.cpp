#include "commands/ScanCommand.h"

#include <iostream>
#include <vector>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "quillstone/platform/Error.h"
#include "cli/JsonOutput.h"
#include "cli/ScanReport.h"
#include "cli/Session.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {

void ScanCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "scan", "Read the barcodes in a PNG or JPEG image, decode and optionally verify them");
  app_->add_option("IMAGE", image_, "PNG or JPEG image")->required()->check(CLI::ExistingFile);
  app_->add_option("--rule", ruleId_, "Rule to decode unregistered barcodes by");
  properties_.AddTo(*app_, true);
}

int ScanCommand::Run(Session& session) {
  clsScanService service(session.Context());
  auto answers = service.IdentifyPictureFile(image_, ruleId_);
  if (answers.empty()) throw CliError("图片 '" + image_ + "' 中没有找到可读的条码");

  // Verification is asked for by naming the document's item or any of its properties.
  std::shared_ptr<clsInventoryInfo> document;
  if (properties_.hasItem() || properties_.Any()) document = properties_.Make(properties_.item());

  std::vector<ScanReport::Line> lines;
  bool allOk = true;
  bool warned = false;
  for (auto& answer : answers) {
    ScanReport::RequireDecoded(answer);
    ScanReport::Line line{std::move(answer), document != nullptr};
    if (line.verifyAsked && line.answer.ok()) Verify(service, *document, line);
    allOk = allOk && line.answer.ok();
    warned = warned || !line.answer.warnings().empty();
    lines.push_back(std::move(line));
  }
  // As decode and verify: a failure is 1, a label read and received with warnings 3.
  const int status = !allOk ? 1 : warned ? Gs1Input::kWarningExit : 0;

  if (session.json()) {
    nlohmann::json doc = nlohmann::json::array();
    for (const auto& line : lines) doc.push_back(ScanReport::Json(line));
    JsonOutput::Print(doc);
    return status;
  }
  for (const auto& line : lines) ScanReport::Print(line, std::cout, std::cerr);
  return status;
}

void ScanCommand::Verify(clsScanService& service, const clsInventoryInfo& document, ScanReport::Line& line) {
  try {
    service.Verify(line.answer, document);
    line.verified = true;
  } catch (const Error& e) {
    line.answer.error = e.description();
  }
}

}  // namespace quillstone::cli
