// The `label --gs1 "(01)..." --symbology gs1-128|gs1-datamatrix|gs1-qr|gs1-link` options: a
// supplier-style GS1 label from element-string data instead of a registered barcode, printed as
// any label is (size, name band, PNG, SVG, PDF, ZPL).
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

#include "quillstone/labels/Label.h"

namespace quillstone::cli {

class Session;

class Gs1LabelOptions {
 public:
  // `barCodes` is the command's barcode argument: exactly one of it and --gs1 must be given.
  void AddTo(CLI::App& app, CLI::Option* barCodes);
  bool given() const { return gs1_ != nullptr && gs1_->count() > 0; }
  // Refuses --symbology without --gs1, which would otherwise be ignored.
  void Check() const;
  // The label: the element string in the symbology asked for (a Digital Link in a plain QR Code,
  // its element string under it), named after the item its GTIN finds under the user's rights.
  Label MakeLabel(Session& session) const;
  // The report's fields of the GS1 data: its HRI, the symbol's name and identifier.
  nlohmann::json Report() const;

 private:
  CLI::Option* gs1_ = nullptr;
  CLI::Option* symbologyOption_ = nullptr;
  std::string data_;
  std::string symbology_ = "gs1-128";
};

}  // namespace quillstone::cli
