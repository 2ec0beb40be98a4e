// `quillstone demo [--dir DIR]`: the whole library at work in a fresh folder. It makes a demo
// database, defines three rules, assigns them, registers barcodes, prints their labels, scans
// the labels back, decodes and verifies what it read, abandons and reuses one barcode, and ends
// with a summary of every barcode.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "commands/Command.h"

namespace quillstone {
class clsInventoryBarCodeSet;
class clsInventoryInfo;
}  // namespace quillstone

namespace quillstone::cli {

class DemoWorkspace;

class DemoCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  // One registered barcode and what became of it.
  struct Entry {
    std::shared_ptr<clsInventoryBarCodeSet> set;
    std::string ruleId;
    std::string symbology;
    std::string png;
    bool scanned = false;
    bool decoded = false;
    bool verified = false;
    std::string error;
    std::shared_ptr<clsInventoryInfo> decodedInfo;
  };

  void CreateDatabase(Session& session);
  void DefineRules(Session& session);
  void Assign(Session& session);
  void Register(Session& session);
  void PrintLabels(Session& session, const DemoWorkspace& workspace);
  void ScanBack(Session& session);
  // A registered GS1 barcode is found from its raw scanner data and its Digital Link as well.
  void ShowGs1Forms(Session& session);
  void Maintain(Session& session);
  int Summarise(Session& session, const DemoWorkspace& workspace);

  // A heading in text mode; nothing with --json.
  void Section(Session& session, const std::string& title);

  std::string dir_ = "quillstone-demo";
  int section_ = 0;
  std::vector<Entry> entries_;
  std::vector<std::string> maintenance_;
  // The labels once more, as one PDF sheet and one file of printer commands.
  std::string sheetFile_;
  std::string zplFile_;
};

}  // namespace quillstone::cli
