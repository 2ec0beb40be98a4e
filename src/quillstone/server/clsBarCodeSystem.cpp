#include "quillstone/server/clsBarCodeSystem.h"

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/clsHelper.h"
#include "quillstone/server/host/Account.h"
#include "quillstone/server/host/AccountCo.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/server/schema/Schema.h"
#include "quillstone/sources/clsItemSourceManager.h"
#include "quillstone/sources/clsSequenceManager.h"

namespace quillstone {

void clsBarCodeSystem::InitSystem(std::shared_ptr<HostLogin>& login, const std::shared_ptr<Connection>& conn) {
  bool built = false;
  TrapAndRaiseError(
      [&] {
        Assert(login != nullptr, "Login对象没有初始化");
        BuildContext(login, conn);
        built = true;
      },
      [&] {
        // On failure the half-built context is dropped whole, whatever the root had before.
        if (!built) context_.reset();
      });
}

void clsBarCodeSystem::BuildContext(std::shared_ptr<HostLogin>& login, const std::shared_ptr<Connection>& conn) {
  context_ = std::make_shared<clsContext>();
  context_->setObjLogin(login);
  if (conn == nullptr) {
    context_->setMConn(Connection::Open(login->connectionString()));
    // The root's own connection comes back by itself after a server restart.
    context_->mConn()->setAutoReconnect(true);
    callerConnection_ = false;
  } else {
    context_->setMConn(conn);
    callerConnection_ = true;
  }
  // Databases made by an older release gain what this one stores before any manager reads them.
  Schema::Upgrade(*context_->mConn());
  auto common = login->hostFactory()->CreateCommon();
  context_->setMoLogin(common);
  common->AttachLogin(login);
  common->setConnection(context_->mConn());
  AttachAccount(login);
  CreateManagers();
}

void clsBarCodeSystem::AttachAccount(const std::shared_ptr<HostLogin>& login) {
  auto common = context_->moLogin();
  if (common->account() != nullptr) return;
  auto factory = login->hostFactory();
  auto account = factory->CreateAccount();
  auto accountCo = factory->CreateAccountCo();
  std::string error;
  if (!accountCo->Init(login, error)) RaiseError("不能成功初始化AccountCo对象," + error);
  if (!accountCo->Load(account, error)) RaiseError("装载Account对象," + error);
  common->setAccount(account);
}

void clsBarCodeSystem::CreateManagers() {
  context_->setObjRuleManager(std::make_shared<clsRuleManager>());
  context_->objRuleManager()->AttachContext(context_);
  context_->setObjBarCodeManager(std::make_shared<clsBarCodeManager>());
  context_->objBarCodeManager()->AttachContext(context_);
  context_->setObjItemSourceManager(std::make_shared<clsItemSourceManager>());
  context_->objItemSourceManager()->AttachContext(context_);
  context_->setObjSequenceManager(std::make_shared<clsSequenceManager>());
  context_->objSequenceManager()->AttachContext(context_);
  context_->setObjHelper(std::make_shared<clsHelper>());
  context_->objHelper()->AttachContext(context_);
}

void clsBarCodeSystem::ExitSystem() {
  RequireInitialised();
  context_->objBarCodeManager()->DetachContext();
  context_->setObjBarCodeManager(nullptr);
  context_->objItemSourceManager()->DetachContext();
  context_->setObjItemSourceManager(nullptr);
  context_->objRuleManager()->DetachContext();
  context_->setObjRuleManager(nullptr);
  context_->objSequenceManager()->DetachContext();
  context_->setObjSequenceManager(nullptr);
  context_->setObjLogin(nullptr);
  auto conn = context_->mConn();
  context_->setMConn(nullptr);
  // The helper keeps its link to the context, but holds it weakly: dropping the context here
  // releases the helper too, so nothing outlives the root.
  context_.reset();
  if (!callerConnection_ && conn) conn->Close();
}

void clsBarCodeSystem::RequireInitialised() const { Assert(context_ != nullptr, kServiceNotStarted); }

std::shared_ptr<clsRuleManager> clsBarCodeSystem::GetRuleManager() const {
  RequireInitialised();
  return context_->objRuleManager();
}

std::shared_ptr<clsBarCodeManager> clsBarCodeSystem::GetBarCodeManager() const {
  RequireInitialised();
  return context_->objBarCodeManager();
}

std::shared_ptr<clsItemSourceManager> clsBarCodeSystem::GetItemSourceManager() const {
  RequireInitialised();
  return context_->objItemSourceManager();
}

std::shared_ptr<clsHelper> clsBarCodeSystem::GetHelper() const {
  RequireInitialised();
  return context_->objHelper();
}

}  // namespace quillstone
