// `quillstone assign item|class|list|remove|find`: assignments of rules to inventory items and
// inventory classes.
#pragma once

#include <string>

#include "cli/ListFilterOptions.h"
#include "commands/Command.h"

namespace quillstone {
class clsRuleAssign;
}

namespace quillstone::cli {

class AssignCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  int Create(Session& session, bool toItem);
  int List(Session& session);
  int Remove(Session& session);
  int Find(Session& session);
  void PrintOne(Session& session, const clsRuleAssign& assign, const std::string& verb);

  CLI::App* item_ = nullptr;
  CLI::App* class_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* remove_ = nullptr;
  CLI::App* find_ = nullptr;
  std::string target_;
  std::string ruleId_;
  std::string assignId_;
  ListFilterOptions filters_{{"RuleAssign.invId", "RuleAssign.ruleId", "", "", ""}};
};

}  // namespace quillstone::cli
