// The host's account controller: initialised with a login, it loads the account object.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class Account;
class HostLogin;

class AccountCo {
 public:
  virtual ~AccountCo() = default;
  virtual bool Init(const std::shared_ptr<HostLogin>& login, std::string& error_text) = 0;
  virtual bool Load(std::shared_ptr<Account>& account, std::string& error_text) = 0;
};

}  // namespace quillstone
