#include "quillstone/server/clsBarCodeSystem.h"

#include <gtest/gtest.h>

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/clsHelper.h"
#include "quillstone/server/host/Account.h"
#include "quillstone/server/host/AccountCo.h"
#include "src/quillstone/server/host/DbHostFactory.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/sources/clsItemSourceManager.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

using namespace quillstone;
using quillstone::test::CaughtError;

namespace {

const char* const kNotInitialised = "条形码服务组件没有成功初始化，请先初始化服务.";

// A host whose common-services object already has an account; it counts the account objects
// it is asked for.
class PreparedFactory : public DbHostFactory {
 public:
  std::shared_ptr<HostCommon> CreateCommon() override {
    auto common = DbHostFactory::CreateCommon();
    common->setAccount(std::make_shared<Account>());
    return common;
  }
  std::shared_ptr<Account> CreateAccount() override {
    ++accountObjects;
    return DbHostFactory::CreateAccount();
  }
  std::shared_ptr<AccountCo> CreateAccountCo() override {
    ++accountObjects;
    return DbHostFactory::CreateAccountCo();
  }
  int accountObjects = 0;
};

class PreparedLogin : public HostLogin {
 public:
  explicit PreparedLogin(std::shared_ptr<HostLogin> inner) : inner_(std::move(inner)) {}
  std::string connectionString() const override { return inner_->connectionString(); }
  Variant loginDate() const override { return inner_->loginDate(); }
  std::string userId() const override { return inner_->userId(); }
  std::shared_ptr<HostFactory> hostFactory() override { return factory; }
  std::shared_ptr<PreparedFactory> factory = std::make_shared<PreparedFactory>();

 private:
  std::shared_ptr<HostLogin> inner_;
};

class BarCodeSystemTest : public SystemTest {};

TEST_P(BarCodeSystemTest, CallerConnectionStaysOpenOwnConnectionIsClosed) {
  sys.ExitSystem();
  EXPECT_TRUE(conn->IsOpen());

  sys.InitSystem(login);
  auto own = sys.context()->mConn();
  ASSERT_NE(own, conn);
  EXPECT_TRUE(own->IsOpen());
  sys.ExitSystem();
  EXPECT_FALSE(own->IsOpen());
}

TEST_P(BarCodeSystemTest, GettersGiveTheSameInstancesUntilExit) {
  auto rules = sys.GetRuleManager();
  EXPECT_EQ(rules, sys.GetRuleManager());
  EXPECT_EQ(sys.GetBarCodeManager(), sys.GetBarCodeManager());
  EXPECT_EQ(sys.GetItemSourceManager(), sys.GetItemSourceManager());
  EXPECT_EQ(sys.GetHelper(), sys.GetHelper());

  sys.InitSystem(login, conn);  // a second InitSystem replaces the wiring
  EXPECT_NE(rules, sys.GetRuleManager());

  sys.ExitSystem();
  for (auto getter : {+[](clsBarCodeSystem& s) { s.GetRuleManager(); }, +[](clsBarCodeSystem& s) { s.GetHelper(); },
                      +[](clsBarCodeSystem& s) { s.GetBarCodeManager(); },
                      +[](clsBarCodeSystem& s) { s.GetItemSourceManager(); }, +[](clsBarCodeSystem& s) { s.ExitSystem(); }}) {
    Error e = CaughtError([&] { getter(sys); });
    EXPECT_EQ(e.description(), kNotInitialised);
    EXPECT_EQ(e.source(), "Assert");
    EXPECT_EQ(e.number(), Error::kLibraryNumber);
  }
}

TEST_P(BarCodeSystemTest, NothingOutlivesExitAndTheRoot) {
  std::weak_ptr<clsContext> context = sys.context();
  std::weak_ptr<clsRuleManager> rules = sys.GetRuleManager();
  std::weak_ptr<clsHelper> helper = sys.GetHelper();
  std::weak_ptr<clsItemSourceManager> sources = sys.GetItemSourceManager();
  sys.ExitSystem();
  EXPECT_TRUE(context.expired());
  EXPECT_TRUE(rules.expired());
  EXPECT_TRUE(helper.expired());
  EXPECT_TRUE(sources.expired());
}

TEST_P(BarCodeSystemTest, InitFailuresCarrySourceErrorAndLeaveNoContext) {
  std::shared_ptr<HostLogin> none;
  Error e = CaughtError([&] { sys.InitSystem(none, conn); });
  EXPECT_EQ(e.description(), "Login对象没有初始化");
  EXPECT_EQ(e.source(), "Error");
  EXPECT_EQ(e.number(), Error::kLibraryNumber);
  EXPECT_EQ(sys.context(), nullptr);
  EXPECT_EQ(CaughtError([&] { sys.GetRuleManager(); }).description(), kNotInitialised);

  auto unknown = LoginAs("nobody");
  Error init = CaughtError([&] { sys.InitSystem(unknown, conn); });
  EXPECT_EQ(init.source(), "Error");
  EXPECT_EQ(init.description().rfind("不能成功初始化AccountCo对象,", 0), 0u) << init.description();

  auto nobook = LoginAs("nobook");
  Error load = CaughtError([&] { sys.InitSystem(nobook, conn); });
  EXPECT_EQ(load.description().rfind("装载Account对象,", 0), 0u) << load.description();
}

TEST_P(BarCodeSystemTest, AnAccountAlreadyPresentIsKept) {
  auto prepared = std::make_shared<PreparedLogin>(login);
  std::shared_ptr<HostLogin> asLogin = prepared;
  sys.InitSystem(asLogin, conn);
  EXPECT_NE(sys.context()->moLogin()->account(), nullptr);
  EXPECT_EQ(prepared->factory->accountObjects, 0);
}

QS_INSTANTIATE_BACKENDS(BarCodeSystemTest);

}  // namespace
