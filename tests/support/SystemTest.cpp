#include "support/SystemTest.h"

#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/schema/Schema.h"
#include "quillstone/sources/clsItemSourceManager.h"

using namespace quillstone;

void SystemTest::SetUp() {
  BackendTest::SetUp();
  if (HasFatalFailure()) return;
  Schema::Create(*conn);
  Schema::LoadDemo(*conn);
  RestartAs("admin");
}

void SystemTest::TearDown() {
  if (sys.context()) sys.ExitSystem();
  login.reset();
  BackendTest::TearDown();
}

std::shared_ptr<HostLogin> SystemTest::LoginAs(const std::string& user, const std::string& date) {
  return DbHostLogin::Create(connectionString(), user, Variant(date));
}

void SystemTest::RestartAs(const std::string& user, const std::string& date) {
  if (sys.context()) sys.ExitSystem();
  login = LoginAs(user, date);
  sys.InitSystem(login, conn);
  Started();
}

std::shared_ptr<clsItemSource> SystemTest::Source(int32_t itemType) const {
  return sys.GetItemSourceManager()->GetItemSource(itemType);
}
