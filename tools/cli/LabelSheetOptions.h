// The options that put labels on sheets (--sheet A4 --layout 3x8 --margin 10x7mm), and on the
// commands that produce barcodes also --labels FILE.pdf, which prints those barcodes' labels.
#pragma once

#include <string>
#include <vector>

#include "quillstone/labels/Label.h"
#include "quillstone/labels/LabelSheet.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace quillstone::cli {

class LabelBatch;
class Session;

class LabelSheetOptions {
 public:
  void AddTo(CLI::App& app, bool withFile);

  bool sheetGiven() const;
  // --labels was given.
  bool wanted() const { return !file_.empty(); }
  const std::string& file() const { return file_; }
  // The sheet the options describe; refuses options that describe none.
  LabelSheet Sheet() const;
  // Refuses a --labels file that is not PDF and options that describe no sheet, before the
  // command does any work.
  void Check() const;
  // Writes the labels to the --labels file and returns the sentence that reports it.
  std::string Write(const std::vector<Label>& labels) const;
  // With --labels, writes the batch's labels and reports the file (not with --json, whose output
  // is the command's own document).
  void Finish(const Session& session, const LabelBatch& batch) const;
  static std::string Report(std::size_t labels, int pages, const std::string& file, const LabelSheet& sheet);

 private:
  std::string file_;
  std::string paper_ = "A4";
  std::string layout_ = "3x8";
  std::string margin_ = "10x7mm";
  CLI::Option* paperOption_ = nullptr;
};

}  // namespace quillstone::cli
