// The host's common-services object: the session's login, connection and account, and the
// user's function rights and data rights.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class Account;
class Connection;
class HostLogin;

class HostCommon {
 public:
  virtual ~HostCommon() = default;

  // Its result is not read by the library.
  virtual bool AttachLogin(std::shared_ptr<HostLogin>& login) = 0;
  virtual void setConnection(const std::shared_ptr<Connection>& conn) = 0;
  virtual std::shared_ptr<Connection> connection() const = 0;
  // None until an account is set.
  virtual std::shared_ptr<Account> account() const = 0;
  virtual void setAccount(const std::shared_ptr<Account>& account) = 0;
  virtual std::shared_ptr<HostLogin> login() const = 0;

  // True when the user holds the function right. Called with begin True before a write and,
  // when that answered True, once more with begin False when the write ends.
  virtual bool CheckRight(std::string& function_id, bool& begin) = 0;
  // Empty when the user may see every record of `object`, else a list that may stand inside
  // "Inventory.iid in (" ... ")".
  virtual std::string DataRightFilter(const std::string& object, const std::string& extra,
                                      const std::string& mode) = 0;
};

}  // namespace quillstone
