// Makes the host components a login works with, so a real host can plug in its own.
#pragma once

#include <memory>

namespace quillstone {

class Account;
class AccountCo;
class HostClassLookup;
class HostCommon;
class HostInventoryAccess;
class HostPositionLookup;
class HostWarehouseLookup;

class HostFactory {
 public:
  virtual ~HostFactory() = default;
  virtual std::shared_ptr<HostCommon> CreateCommon() = 0;
  virtual std::shared_ptr<Account> CreateAccount() = 0;
  virtual std::shared_ptr<AccountCo> CreateAccountCo() = 0;
  virtual std::shared_ptr<HostInventoryAccess> CreateInventoryAccess() = 0;
  virtual std::shared_ptr<HostClassLookup> CreateClassLookup() = 0;
  virtual std::shared_ptr<HostWarehouseLookup> CreateWarehouseLookup() = 0;
  virtual std::shared_ptr<HostPositionLookup> CreatePositionLookup() = 0;
};

}  // namespace quillstone
