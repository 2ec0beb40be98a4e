// One subcommand of the program: it adds itself (options included) to the command line, and runs
// when the user chose it.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/Gs1Input.h"

namespace quillstone::cli {

class Session;

class Command {
 public:
  virtual ~Command() = default;

  virtual void Attach(CLI::App& parent) = 0;
  bool Chosen() const { return app_ != nullptr && app_->parsed(); }
  // The exit code: 0 done, 1 failed.
  virtual int Run(Session& session) = 0;

 protected:
  // Subcommands take the global options after their own name too.
  CLI::App* AddSubcommand(CLI::App& parent, const std::string& name, const std::string& description) {
    CLI::App* app = parent.add_subcommand(name, description);
    app->fallthrough();
    return app;
  }

  // The barcode a subcommand works on. GS1 data may be typed in any form, with <GS> for the
  // group separator, which becomes the separator itself.
  static CLI::Option* AddBarCode(CLI::App& app, std::string& target) {
    return app.add_option("BARCODE", target, "Barcode text")
        ->required()
        ->transform([](std::string text) { return Gs1Input::FromCommandLine(text); });
  }

  CLI::App* app_ = nullptr;
};

}  // namespace quillstone::cli
