// `quillstone label BARCODE... [--out FILE] [--format png|svg|zpl|pdf] [--size 50x30mm] [--dpi 203|300]
// [--printer HOST:9100] [--module DOTS] [--sheet A4 --layout 3x8] [--rule R]`, or `label --gs1 DATA`:
// prints barcode labels in the symbology of their rule (or GS1 data in the symbology asked
// for), with the item's name above the symbol and the barcode text under it, as image files, as
// ZPL for a label printer (written to a file or sent to the printer), or as PDF: one label per
// page, or many on sheets.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Gs1LabelOptions.h"
#include "quillstone/labels/LabelFormat.h"
#include "cli/LabelSheetOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class LabelBatch;

class LabelCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  // The format asked for, or implied by the printer, the sheet or the file's extension.
  LabelFormat Format() const;
  // Refuses options the format cannot honour, before any work.
  void CheckOptions(LabelFormat format) const;
  // The output's description for the report, after writing it.
  nlohmann::json Output(const LabelBatch& batch, LabelFormat format, std::string& report) const;

  std::vector<std::string> barCodes_;
  std::string out_;
  std::string ruleId_;
  std::string format_;
  std::string size_ = "50x30mm";
  int dpi_ = 203;
  std::string printer_;
  std::string printerFont_;
  int module_ = 0;
  CLI::Option* moduleOption_ = nullptr;
  LabelSheetOptions sheet_;
  Gs1LabelOptions gs1_;
};

}  // namespace quillstone::cli
