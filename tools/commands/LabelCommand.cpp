#include "commands/LabelCommand.h"

#include <string>

#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/LabelBatch.h"
#include "quillstone/labels/LabelMetrics.h"
#include "quillstone/labels/LabelPrinter.h"
#include "quillstone/labels/LabelSheet.h"
#include "quillstone/labels/LabelSize.h"
#include "quillstone/labels/LabelWriter.h"
#include "cli/Session.h"
#include "quillstone/labels/ZplWriter.h"

namespace quillstone::cli {
namespace {

// A Digital Link label has always been reported by its symbol, a QR Code (the GS1 fields of the
// report name it in full); scripts read these names.
std::string ShownName(const Symbology& symbology) {
  return symbology.digitalLink() ? Symbology::ForKind(Symbology::Kind::QrCode).name() : symbology.name();
}

}  // namespace

void LabelCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "label", "Print barcode labels: PNG, SVG, ZPL for label printers, or PDF sheets");
  CLI::Option* barCodes = app_->add_option("BARCODE", barCodes_, "Barcode texts, one label each");
  app_->add_option("--out,-o", out_, "Output file: .png, .svg, .zpl or .pdf");
  app_->add_option("--format", format_, "png, svg, zpl or pdf (default: by --out's extension)")
      ->check(CLI::IsMember({"png", "svg", "zpl", "pdf"}, CLI::ignore_case));
  app_->add_option("--size", size_, "Label size, WIDTHxHEIGHT in mm (or cm, in)")->capture_default_str();
  app_->add_option("--dpi", dpi_, "Printer resolution in dots per inch")
      ->check(CLI::IsMember({203, 300}))
      ->capture_default_str();
  app_->add_option("--printer", printer_, "Send ZPL to a label printer's raw port, HOST:9100");
  app_->add_option("--printer-font", printerFont_,
                   "Font stored on the printer for the text, e.g. E:CJK.TTF (default: its scalable font 0)");
  moduleOption_ = app_->add_option("--module", module_,
                   "ZPL: narrowest module (bar) width in printer dots, 1 to 10 (default: 0.25 mm, at least 2 dots)");
  app_->add_option("--rule", ruleId_,
                   "Rule whose symbology to use (default: the rule each barcode was registered under)");
  sheet_.AddTo(*app_, false);
  gs1_.AddTo(*app_, barCodes);
}

LabelFormat LabelCommand::Format() const {
  if (!format_.empty()) return LabelFormatNamed(format_);
  if (!printer_.empty()) return LabelFormat::Zpl;
  if (sheet_.sheetGiven()) return LabelFormat::Pdf;
  if (out_.empty()) throw CliError("请用 --out 指定标签文件，或用 --printer 发送到打印机");
  return LabelFormatOfFile(out_);
}

void LabelCommand::CheckOptions(LabelFormat format) const {
  if (!printer_.empty() && format != LabelFormat::Zpl) throw CliError("--printer 只发送 ZPL 标签（--format zpl）");
  if (sheet_.sheetGiven() && format != LabelFormat::Pdf) throw CliError("--sheet 的标签页只能写成 PDF（--format pdf）");
  if (printer_.empty() && out_.empty()) throw CliError("请用 --out 指定标签文件");
  if ((format == LabelFormat::Png || format == LabelFormat::Svg) && barCodes_.size() > 1)
    throw CliError("PNG 或 SVG 文件只印一张标签；多张标签请用 --format zpl 或 pdf");
  const bool moduleGiven = moduleOption_->count() > 0;
  if (format != LabelFormat::Zpl && (moduleGiven || !printerFont_.empty()))
    throw CliError("--module 和 --printer-font 只用于 ZPL 标签（--format zpl 或 --printer）");
  if (gs1_.given() && !ruleId_.empty()) throw CliError("--gs1 标签按 --symbology 印制，不用 --rule");
  gs1_.Check();
  if (!printerFont_.empty()) ZplWriter::CheckFontName(printerFont_);
  if (moduleGiven) ZplWriter::CheckModule(module_);
  LabelSize::Parse(size_, dpi_);
  if (sheet_.sheetGiven()) sheet_.Check();
}

int LabelCommand::Run(Session& session) {
  const LabelFormat format = Format();
  CheckOptions(format);

  LabelBatch batch(session);
  if (gs1_.given()) batch.AddLabel(gs1_.MakeLabel(session));
  for (const auto& code : barCodes_) batch.Add(Gs1Input::FromCommandLine(code), ruleId_);

  std::string report;
  nlohmann::json doc = Output(batch, format, report);
  nlohmann::json labels = nlohmann::json::array();
  for (std::size_t i = 0; i < batch.labels().size(); ++i) {
    const Label& label = batch.labels()[i];
    labels.push_back({{"barCode", label.barCode},
                      {"ruleId", batch.ruleIds()[i]},
                      {"symbology", ShownName(label.symbology)},
                      {"name", label.name}});
  }
  // One label keeps the flat form scripts read: barCode, ruleId, symbology, name, file.
  if (labels.size() == 1) doc.update(labels[0]);
  if (gs1_.given()) doc.update(gs1_.Report());
  doc["labels"] = labels;
  doc["format"] = LabelFormatName(format);
  JsonOutput::Report(session.json(), doc, report);
  return 0;
}

nlohmann::json LabelCommand::Output(const LabelBatch& batch, LabelFormat format, std::string& report) const {
  const auto& labels = batch.labels();
  const LabelSize size = LabelSize::Parse(size_, dpi_);
  const std::string many = std::to_string(labels.size()) + (labels.size() == 1 ? " label" : " labels");
  LabelWriter::Options options;
  options.printerFont = printerFont_;
  options.module = module_;
  if (format == LabelFormat::Pdf)
    options.sheet = sheet_.sheetGiven() ? sheet_.Sheet() : LabelSheet::OnePerPage(size.widthMm(), size.heightMm());
  const auto writer = LabelWriter::For(format, size, options);

  if (!printer_.empty()) {
    const std::string zpl = writer->Write(labels);
    const LabelPrinter printer(printer_);
    printer.Send(zpl);
    report =
        "Sent " + many + " (ZPL, " + size.Text() + ", " + std::to_string(dpi_) + " dpi) to printer " + printer_;
    return {{"printer", printer_}, {"bytes", zpl.size()}};
  }
  writer->WriteFile(labels, out_);
  switch (format) {
    case LabelFormat::Png:
    case LabelFormat::Svg:
      report =
          "Wrote " + ShownName(labels.front().symbology) + " label of " + labels.front().barCode + " to " + out_;
      return {{"file", out_}};
    case LabelFormat::Zpl:
      report = "Wrote " + many + " (ZPL, " + size.Text() + ", " + std::to_string(dpi_) + " dpi) to " + out_;
      return {{"file", out_}};
    case LabelFormat::Pdf: {
      const LabelSheet& sheet = *options.sheet;
      const int pages = sheet.PagesFor(labels.size());
      report = LabelSheetOptions::Report(labels.size(), pages, out_, sheet);
      return {{"file", out_},
              {"pages", pages},
              {"sheet",
               {{"paperWidthMm", sheet.paperWidthMm()},
                {"paperHeightMm", sheet.paperHeightMm()},
                {"columns", sheet.columns()},
                {"rows", sheet.rows()},
                {"marginTopMm", sheet.marginTopMm()},
                {"marginSideMm", sheet.marginSideMm()},
                {"labelWidthMm", sheet.labelWidthMm()},
                {"labelHeightMm", sheet.labelHeightMm()},
                {"cutMarginMm", LabelMetrics::kCutMarginMm}}}};
    }
  }
  return {};
}

}  // namespace quillstone::cli
