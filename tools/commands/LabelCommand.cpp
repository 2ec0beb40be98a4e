#include "commands/LabelCommand.h"

#include <string>

#include "cli/BarCodeReader.h"
#include "cli/JsonOutput.h"
#include "cli/LabelRenderer.h"
#include "cli/Session.h"
#include "cli/Symbology.h"
#include "quillstone/model/clsBarCodeRule.h"

namespace quillstone::cli {

void LabelCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "label", "Render a barcode label as PNG or SVG");
  CLI::Option* barCode = app_->add_option("BARCODE", barCode_, "Barcode text");
  app_->add_option("--out,-o", out_, "Label file, .png or .svg")->required();
  app_->add_option("--rule", ruleId_,
                   "Rule whose symbology to use (default: the rule the barcode was registered under)");
  gs1_.AddTo(*app_, barCode);
}

int LabelCommand::Run(Session& session) {
  if (gs1_.given()) return gs1_.Run(out_, session.json());
  auto rule = BarCodeReader(session).RuleFor(barCode_, ruleId_);
  const Symbology symbology = Symbology::ForRule(*rule, session.Rules());
  LabelRenderer::Render(barCode_, symbology, out_);
  JsonOutput::Report(
      session.json(),
      {{"barCode", barCode_}, {"ruleId", rule->ruleId()}, {"symbology", symbology.name()}, {"file", out_}},
      "Wrote " + symbology.name() + " label of " + barCode_ + " to " + out_);
  return 0;
}

}  // namespace quillstone::cli
