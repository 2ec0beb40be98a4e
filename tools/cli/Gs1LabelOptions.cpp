#include "cli/Gs1LabelOptions.h"

#include <nlohmann/json.hpp>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"

namespace quillstone::cli {

void Gs1LabelOptions::AddTo(CLI::App& app, CLI::Option* barCodes) {
  gs1_ =
      app.add_option("--gs1", data_, "GS1 data to print instead of a barcode, e.g. \"(01)09506000134352(10)ABC123\"");
  symbologyOption_ =
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

void Gs1LabelOptions::Check() const {
  if (!given() && symbologyOption_ != nullptr && symbologyOption_->count() > 0)
    throw CliError("--symbology 只用于 --gs1 标签；已登记条码按其规则的条码类型印制（或用 --rule）");
}

Label Gs1LabelOptions::MakeLabel(Session& session) const {
  const Symbology symbology = Symbology::ForGs1Name(symbology_);
  const auto elements = Gs1ElementString::Parse(Gs1Input::FromCommandLine(data_));
  std::string name;
  // A GTIN the master data does not know still gets its label, without a name.
  try {
    if (auto info = clsGs1Receiver(session.Context()).Receive(elements)) name = info->inventoryName();
  } catch (const Error&) {
  }
  if (symbology.digitalLink()) return Label(elements.ToDigitalLink(), symbology, name, elements.ToHri());
  return Label(elements.ToHri(), symbology, name);
}

nlohmann::json Gs1LabelOptions::Report() const {
  const Symbology symbology = Symbology::ForGs1Name(symbology_);
  return {{"gs1", Gs1ElementString::Parse(Gs1Input::FromCommandLine(data_)).ToHri()},
          {"symbology", symbology.name()},
          {"symbologyIdentifier", symbology.identifier()}};
}

}  // namespace quillstone::cli
