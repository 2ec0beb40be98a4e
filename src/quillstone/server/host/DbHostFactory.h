// Makes the default host components, all backed by the host tables of the login's database.
#pragma once

#include "quillstone/server/host/HostFactory.h"

namespace quillstone {

class DbHostFactory : public HostFactory {
 public:
  std::shared_ptr<HostCommon> CreateCommon() override;
  std::shared_ptr<Account> CreateAccount() override;
  std::shared_ptr<AccountCo> CreateAccountCo() override;
  std::shared_ptr<HostInventoryAccess> CreateInventoryAccess() override;
  std::shared_ptr<HostClassLookup> CreateClassLookup() override;
  std::shared_ptr<HostWarehouseLookup> CreateWarehouseLookup() override;
  std::shared_ptr<HostPositionLookup> CreatePositionLookup() override;
};

}  // namespace quillstone
