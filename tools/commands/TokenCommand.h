// `quillstone token create USER [--expires DAYS]`, `token list`, `token revoke ID`: the bearer
// tokens of `quillstone serve`. A token is printed once, when it is made.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class TokenCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  int Create(Session& session);
  int List(Session& session);
  int Revoke(Session& session);

  CLI::App* create_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* revoke_ = nullptr;
  std::string user_;
  int expires_ = 0;
  std::string id_;
};

}  // namespace quillstone::cli
