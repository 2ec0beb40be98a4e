// `quillstone abandon|reuse|remove BARCODE`: seals, unseals or deletes a registered barcode. One
// class serves the three, which differ only in the library call and the words.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class RegistryChangeCommand : public Command {
 public:
  enum class Change { Abandon, Reuse, Remove };

  explicit RegistryChangeCommand(Change change) : change_(change) {}
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  Change change_;
  std::string barCode_;
};

}  // namespace quillstone::cli
