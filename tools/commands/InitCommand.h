// `quillstone init [--demo]`: creates the library's tables (and the host tables it reads) in the
// database, and optionally loads the demonstration data set.
#pragma once

#include "commands/Command.h"

namespace quillstone::cli {

class InitCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  bool demo_ = false;
};

}  // namespace quillstone::cli
