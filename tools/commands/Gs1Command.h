// `quillstone gs1 TEXT [--to hri|raw|link] [--base URL] [--id ]C1]`: parses and checks GS1 data
// in any of its three forms, shows every AI with its title and value, or writes it in another form.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class Gs1Command : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string text_;
  std::string to_;
  std::string base_;
  std::string identifier_;
};

}  // namespace quillstone::cli
