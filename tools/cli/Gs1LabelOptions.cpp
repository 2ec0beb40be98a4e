#include "cli/Gs1LabelOptions.h"

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "cli/Gs1Symbol.h"
#include "cli/JsonOutput.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone::cli {

void Gs1LabelOptions::AddTo(CLI::App& app, CLI::Option* barCodes) {
  gs1_ =
      app.add_option("--gs1", data_, "GS1 data to print instead of a barcode, e.g. \"(01)09506000134352(10)ABC123\"");
  app.add_option("--symbology", symbology_,
                 "Symbol of a --gs1 label: gs1-128, gs1-datamatrix, gs1-qr or gs1-link (a Digital Link in a QR Code)")
      ->capture_default_str();
  if (barCodes != nullptr) {
    gs1_->excludes(barCodes);
    app.parse_complete_callback([this, barCodes] {
      if (!given() && barCodes->count() == 0) throw CLI::RequiredError(barCodes->get_name());
    });
  }
}

int Gs1LabelOptions::Run(const std::string& out, bool json) const {
  if (out.empty()) throw CliError("请用 --out 指定GS1标签文件（.png 或 .svg）");
  const Gs1Symbol::Kind kind = Gs1Symbol::Named(symbology_);
  const auto elements = Gs1ElementString::Parse(Gs1Input::FromCommandLine(data_));
  Gs1Symbol::Render(elements, kind, out);
  JsonOutput::Report(json,
                     {{"gs1", elements.ToHri()},
                      {"symbology", Gs1Symbol::Name(kind)},
                      {"symbologyIdentifier", Gs1Symbol::Identifier(kind)},
                      {"file", out}},
                     "Wrote " + Gs1Symbol::Name(kind) + " label of " + elements.ToHri() + " to " + out);
  return 0;
}

}  // namespace quillstone::cli
