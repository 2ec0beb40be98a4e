// The default account controller: checks the login's user in HostUser and loads the account
// HostUser.cAccId names from HostAccount.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/host/AccountCo.h"

namespace quillstone {

class DbHostCommon;

class DbAccountCo : public AccountCo {
 public:
  // False with "用户'<id>'不存在" when the user has no HostUser row.
  bool Init(const std::shared_ptr<HostLogin>& login, std::string& error_text) override;
  // Fills `account` (a new DbAccount when it is none or of another kind). False with
  // "用户'<id>'没有可用的账套" when the user's account is missing.
  bool Load(std::shared_ptr<Account>& account, std::string& error_text) override;

 private:
  std::shared_ptr<DbHostCommon> common_;
  std::string user_;
};

}  // namespace quillstone
