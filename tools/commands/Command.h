// One subcommand of the program: it adds itself (options included) to the command line, and runs
// when the user chose it.
#pragma once

#include <CLI/CLI.hpp>

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

  CLI::App* app_ = nullptr;
};

}  // namespace quillstone::cli
