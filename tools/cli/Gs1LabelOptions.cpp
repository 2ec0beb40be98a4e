#include "cli/Gs1LabelOptions.h"

#include <nlohmann/json.hpp>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "quillstone/labels/Gs1Symbol.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"

namespace quillstone::cli {
namespace {

Symbology SymbologyOf(Gs1Symbol::Kind kind) {
  switch (kind) {
    case Gs1Symbol::Kind::Gs1_128:
      return Symbology::ForKind(Symbology::Kind::Gs1_128);
    case Gs1Symbol::Kind::DataMatrix:
      return Symbology::ForKind(Symbology::Kind::Gs1DataMatrix);
    case Gs1Symbol::Kind::QrCode:
      return Symbology::ForKind(Symbology::Kind::Gs1QrCode);
    case Gs1Symbol::Kind::LinkQr:
      break;
  }
  return Symbology::ForKind(Symbology::Kind::QrCode);
}

}  // namespace

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
  const Gs1Symbol::Kind kind = Gs1Symbol::Named(symbology_);
  const auto elements = Gs1ElementString::Parse(Gs1Input::FromCommandLine(data_));
  std::string name;
  // A GTIN the master data does not know still gets its label, without a name.
  try {
    if (auto info = clsGs1Receiver(session.Context()).Receive(elements)) name = info->inventoryName();
  } catch (const Error&) {
  }
  if (kind == Gs1Symbol::Kind::LinkQr) return Label(elements.ToDigitalLink(), SymbologyOf(kind), name, elements.ToHri());
  return Label(elements.ToHri(), SymbologyOf(kind), name);
}

nlohmann::json Gs1LabelOptions::Report() const {
  const Gs1Symbol::Kind kind = Gs1Symbol::Named(symbology_);
  return {{"gs1", Gs1ElementString::Parse(Gs1Input::FromCommandLine(data_)).ToHri()},
          {"symbology", Gs1Symbol::Name(kind)},
          {"symbologyIdentifier", Gs1Symbol::Identifier(kind)}};
}

}  // namespace quillstone::cli
