#include "quillstone/rules/clsRuleManager.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostClassLookup.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/host/HostInventoryAccess.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone {

void clsRuleManager::AttachContext(const std::shared_ptr<clsContext>& context) {
  context_ = context;
  assignCounter_ = 1;
  auto factory = context->objLogin()->hostFactory();
  inventoryAccess_ = factory->CreateInventoryAccess();
  inventoryAccess_->Init(context->moLogin());
  classLookup_ = factory->CreateClassLookup();
  classLookup_->Init(context->moLogin());
}

void clsRuleManager::DetachContext() {
  inventoryAccess_.reset();
  classLookup_.reset();
  context_.reset();
}

std::shared_ptr<clsContext> clsRuleManager::Context() const {
  auto context = context_.lock();
  Assert(context != nullptr && context->mConn() != nullptr, kServiceNotStarted);
  return context;
}

Connection& clsRuleManager::Conn() const { return *Context()->mConn(); }

clsItemSourceManager& clsRuleManager::Sources() const {
  auto sources = Context()->objItemSourceManager();
  Assert(sources != nullptr, kServiceNotStarted);
  return *sources;
}

}  // namespace quillstone
