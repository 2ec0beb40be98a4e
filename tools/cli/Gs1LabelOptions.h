// The `label --gs1 "(01)..." --symbology gs1-128|gs1-datamatrix|gs1-qr --out FILE` options: a
// supplier-style GS1 label from element-string data instead of a registered barcode.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace quillstone::cli {

class Gs1LabelOptions {
 public:
  // `barCodes` is the command's barcode argument: exactly one of it and --gs1 must be given.
  void AddTo(CLI::App& app, CLI::Option* barCodes);
  bool given() const { return gs1_ != nullptr && gs1_->count() > 0; }
  // Checks the data, writes the label to `out` and reports it; the exit code.
  int Run(const std::string& out, bool json) const;

 private:
  CLI::Option* gs1_ = nullptr;
  std::string data_;
  std::string symbology_ = "gs1-128";
};

}  // namespace quillstone::cli
