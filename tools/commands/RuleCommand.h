// `quillstone rule list|show|types|create|save|remove|check`: barcode rules, read from and
// written as JSON files.
#pragma once

#include <string>

#include "cli/ListFilterOptions.h"
#include "commands/Command.h"

namespace quillstone::cli {

class RuleCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  int List(Session& session);
  int Show(Session& session);
  int Types(Session& session);
  // Creates or saves the rule of the file.
  int Store(Session& session, bool create);
  int Remove(Session& session);
  int Check(Session& session);

  CLI::App* list_ = nullptr;
  CLI::App* show_ = nullptr;
  CLI::App* types_ = nullptr;
  CLI::App* create_ = nullptr;
  CLI::App* save_ = nullptr;
  CLI::App* remove_ = nullptr;
  CLI::App* check_ = nullptr;
  ListFilterOptions filters_{{"", "BarCodeRule.ruleId", "", "", ""}};
  std::string ruleId_;
  std::string file_;
};

}  // namespace quillstone::cli
