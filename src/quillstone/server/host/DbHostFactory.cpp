#include "src/quillstone/server/host/DbHostFactory.h"

#include "src/quillstone/server/host/DbAccount.h"
#include "src/quillstone/server/host/DbAccountCo.h"
#include "src/quillstone/server/host/DbClassLookup.h"
#include "src/quillstone/server/host/DbHostCommon.h"
#include "src/quillstone/server/host/DbInventoryAccess.h"
#include "src/quillstone/server/host/DbPositionLookup.h"
#include "src/quillstone/server/host/DbWarehouseLookup.h"

namespace quillstone {

std::shared_ptr<HostCommon> DbHostFactory::CreateCommon() { return std::make_shared<DbHostCommon>(); }
std::shared_ptr<Account> DbHostFactory::CreateAccount() { return std::make_shared<DbAccount>(); }
std::shared_ptr<AccountCo> DbHostFactory::CreateAccountCo() { return std::make_shared<DbAccountCo>(); }
std::shared_ptr<HostInventoryAccess> DbHostFactory::CreateInventoryAccess() {
  return std::make_shared<DbInventoryAccess>();
}
std::shared_ptr<HostClassLookup> DbHostFactory::CreateClassLookup() { return std::make_shared<DbClassLookup>(); }
std::shared_ptr<HostWarehouseLookup> DbHostFactory::CreateWarehouseLookup() {
  return std::make_shared<DbWarehouseLookup>();
}
std::shared_ptr<HostPositionLookup> DbHostFactory::CreatePositionLookup() {
  return std::make_shared<DbPositionLookup>();
}

}  // namespace quillstone
