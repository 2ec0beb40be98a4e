#include <gtest/gtest.h>

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/host/AccountCo.h"
#include "src/quillstone/server/host/DbAccount.h"
#include "src/quillstone/server/host/DbHostCommon.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/host/HostClassLookup.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/host/HostInventoryAccess.h"
#include "quillstone/server/host/HostPositionLookup.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/host/HostWarehouseLookup.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/server/schema/Schema.h"
#include "support/BackendTest.h"
#include "support/CaughtError.h"

using namespace quillstone;

namespace {

// A session on the demo data, wired as the service root wires it.
class DbHostTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    Schema::Create(*conn);
    Schema::LoadDemo(*conn);
  }

  std::shared_ptr<HostCommon> Session(const std::string& user) {
    std::shared_ptr<HostLogin> login = DbHostLogin::Create(connectionString(), user, Variant("2003-06-01"));
    auto common = login->hostFactory()->CreateCommon();
    common->AttachLogin(login);
    common->setConnection(conn);
    return common;
  }

  bool Right(const std::shared_ptr<HostCommon>& common, std::string function_id, bool begin = true) {
    return common->CheckRight(function_id, begin);
  }

  std::string Visible(const std::shared_ptr<HostCommon>& common) {
    std::string list = common->DataRightFilter("inventory", "", "R");
    if (list.empty()) return "<all>";
    auto rs = conn->Query("select cInvCode from Inventory where iid in (" + list + ") order by iid");
    std::string codes;
    for (; !rs->IsEOF(); rs->MoveNext()) codes += (codes.empty() ? "" : ",") + Trim(NullToStr(rs->Field(0)));
    return codes;
  }

  // Finds an item through the factory's access object, as the rule manager does.
  std::shared_ptr<HostUserVO> Find(const std::shared_ptr<HostCommon>& common, const std::string& code,
                                   std::string* error = nullptr) {
    auto access = common->login()->hostFactory()->CreateInventoryAccess();
    access->Init(common);
    std::shared_ptr<HostUserVO> inv = std::make_shared<HostUserVO>();
    std::string text;
    bool found = access->Find(code, inv, text, false, "");
    if (error) *error = text;
    return found ? inv : nullptr;
  }
};

TEST_P(DbHostTest, FunctionRightsComeFromHostTables) {
  auto admin = Session("admin"), clerk = Session("clerk"), limited = Session("limited"), ghost = Session("ghost");
  for (const char* id : {"ST050102", "ST050202", "ST050302"}) {
    EXPECT_TRUE(Right(admin, id)) << id;
    EXPECT_FALSE(Right(clerk, id)) << id;
    EXPECT_TRUE(Right(limited, id)) << id;
    EXPECT_FALSE(Right(ghost, id)) << id;
  }
  // An administrator holds rights that have no row of their own.
  EXPECT_TRUE(Right(admin, "ST999999"));
  EXPECT_FALSE(Right(limited, "ST999999"));

  // Granted rights open a task that the closing call ends; the closing call always answers True.
  auto* db = dynamic_cast<DbHostCommon*>(limited.get());
  ASSERT_NE(db, nullptr);
  EXPECT_EQ(db->OpenTasks("ST050302"), 1);
  EXPECT_TRUE(Right(limited, "ST050302"));
  EXPECT_EQ(db->OpenTasks("ST050302"), 2);
  EXPECT_TRUE(Right(limited, "ST050302", false));
  EXPECT_EQ(db->OpenTasks("ST050302"), 1);
  EXPECT_TRUE(Right(limited, "ST050302", false));
  EXPECT_TRUE(Right(limited, "ST050302", false));
  EXPECT_EQ(db->OpenTasks("ST050302"), 0);
  EXPECT_TRUE(Right(clerk, "ST050302", false));
  EXPECT_EQ(dynamic_cast<DbHostCommon*>(clerk.get())->OpenTasks("ST050302"), 0);
}

TEST_P(DbHostTest, DataRightsListVisibleInventory) {
  EXPECT_EQ(Session("admin")->DataRightFilter("inventory", "", "R"), "");
  EXPECT_EQ(Session("clerk")->DataRightFilter("inventory", "", "R"), "");
  EXPECT_EQ(Session("limited")->DataRightFilter("inventory", "", "R"), "1,2");
  EXPECT_EQ(Visible(Session("limited")), "P001,P002");
  // Restricted to nothing, and unknown users, see nothing rather than everything.
  EXPECT_EQ(Visible(Session("blind")), "");
  EXPECT_EQ(Visible(Session("ghost")), "");
  EXPECT_EQ(Visible(Session("clerk")), "<all>");
  // Restrictions are per object.
  EXPECT_EQ(Session("limited")->DataRightFilter("vendor", "", "R"), "");
  // Read once per session: an open session sees a change after DataRightsChanged, a new one at once.
  auto open = Session("clerk");
  EXPECT_EQ(open->DataRightFilter("inventory", "", "R"), "");
  conn->Execute("insert into HostUserDataRight (cUserId, cObject, iId) values ('clerk', 'inventory', 5)");
  EXPECT_EQ(open->DataRightFilter("INVENTORY", "", "R"), "");
  std::dynamic_pointer_cast<DbHostCommon>(open)->DataRightsChanged();
  EXPECT_EQ(open->DataRightFilter("inventory", "", "R"), "5");
  EXPECT_EQ(Visible(Session("clerk")), "F001");
}

TEST_P(DbHostTest, AccountControllerChecksUserAndLoadsAccount) {
  auto common = Session("admin");
  auto factory = common->login()->hostFactory();
  auto co = factory->CreateAccountCo();
  std::shared_ptr<Account> account = factory->CreateAccount();
  std::string error;
  ASSERT_TRUE(co->Init(common->login(), error)) << error;
  ASSERT_TRUE(co->Load(account, error)) << error;
  auto loaded = std::dynamic_pointer_cast<DbAccount>(account);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->accId(), "001");
  EXPECT_EQ(loaded->accName(), "演示账套");
  EXPECT_EQ(loaded->year(), 2003);

  auto ghost = Session("ghost");
  auto ghostCo = factory->CreateAccountCo();
  EXPECT_FALSE(ghostCo->Init(ghost->login(), error));
  EXPECT_EQ(error, "用户'ghost'不存在");
  EXPECT_FALSE(ghostCo->Load(account, error));
  EXPECT_EQ(error, "AccountCo对象没有初始化");

  auto nobook = Session("nobook");
  auto nobookCo = factory->CreateAccountCo();
  ASSERT_TRUE(nobookCo->Init(nobook->login(), error)) << error;
  EXPECT_FALSE(nobookCo->Load(account, error));
  EXPECT_EQ(error, "用户'nobook'没有可用的账套");
}

TEST_P(DbHostTest, InventoryAccessReadsFlags) {
  auto admin = Session("admin");
  auto p001 = Find(admin, "P001");
  ASSERT_NE(p001, nullptr);
  EXPECT_EQ(p001->inventoryCode, "P001");
  EXPECT_EQ(p001->stopDate, Variant(std::string()));
  EXPECT_TRUE(p001->barcodeManaged.toBool());
  EXPECT_TRUE(p001->batchManaged.toBool());
  EXPECT_FALSE(p001->shelfLifeManaged.toBool());
  EXPECT_TRUE(p001->shelfLifeDays.isNull());
  EXPECT_EQ(p001->unitGroupCode, "01");
  EXPECT_EQ(p001->unitGroupType, 1);
  EXPECT_TRUE(p001->FreeManaged(1).toBool());
  EXPECT_FALSE(p001->FreeManaged(2).toBool());

  EXPECT_EQ(Find(admin, "P002")->unitGroupType, 0);
  EXPECT_EQ(Find(admin, "P002")->stopDate, Variant(std::string()));
  EXPECT_EQ(Find(admin, "P003")->stopDate, Variant(*ParseIsoDate("2003-01-01")));
  auto f001 = Find(admin, "F001");
  EXPECT_TRUE(f001->shelfLifeManaged.toBool());
  EXPECT_EQ(f001->shelfLifeDays.toInt32(), 30);
  EXPECT_EQ(f001->unitGroupType, 2);
  EXPECT_FALSE(Find(admin, "H001")->barcodeManaged.toBool());
  auto s001 = Find(admin, "S001");
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(s001->FreeManaged(k).toBool(), k <= 3) << k;
}

TEST_P(DbHostTest, InventoryAccessRefusesUnknownAndInvisibleItems) {
  std::string error;
  EXPECT_EQ(Find(Session("admin"), "Z999", &error), nullptr);
  EXPECT_EQ(error, "找不到存货'Z999'");

  auto limited = Session("limited");
  EXPECT_NE(Find(limited, "P002", &error), nullptr);
  EXPECT_EQ(Find(limited, "S001", &error), nullptr);
  EXPECT_EQ(error, "没有存货'S001'的访问权限");
  EXPECT_EQ(Find(Session("blind"), "P001", &error), nullptr);
  EXPECT_EQ(error, "没有存货'P001'的访问权限");

  // A failed lookup leaves the caller's value object as it was.
  auto access = limited->login()->hostFactory()->CreateInventoryAccess();
  access->Init(limited);
  auto inv = std::make_shared<HostUserVO>();
  inv->inventoryCode = "before";
  EXPECT_FALSE(access->Find("S001", inv, error));
  EXPECT_EQ(inv->inventoryCode, "before");
  // No value object given: one is made.
  std::shared_ptr<HostUserVO> none;
  EXPECT_TRUE(access->Find("P001", none, error));
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->inventoryCode, "P001");
}

TEST_P(DbHostTest, InventoryAccessInitialisedWithTheLoginOnly) {
  // The session's own connection serves it, so it also sees uncommitted work of the session.
  auto admin = Session("admin");
  auto access = admin->login()->hostFactory()->CreateInventoryAccess();
  std::string error;
  ASSERT_TRUE(access->InitLogin(admin->login(), error)) << error;
  conn->BeginTrans();
  conn->Execute("insert into Inventory (cInvCode, bBarCode) values ('T001', 1)");
  std::shared_ptr<HostUserVO> inv;
  EXPECT_TRUE(access->Find("T001", inv, error)) << error;
  conn->RollbackTrans();

  // A login no common services attached to opens a connection of its own.
  std::shared_ptr<HostLogin> lone = DbHostLogin::Create(connectionString(), "limited", Variant("2003-06-01"));
  auto own = lone->hostFactory()->CreateInventoryAccess();
  ASSERT_TRUE(own->InitLogin(lone, error)) << error;
  EXPECT_TRUE(own->Find("P001", inv, error)) << error;
  EXPECT_FALSE(own->Find("S001", inv, error));
  EXPECT_EQ(error, "没有存货'S001'的访问权限");

  std::shared_ptr<HostLogin> broken = DbHostLogin::Create("nosuch:db", "admin", Variant("2003-06-01"));
  auto failing = broken->hostFactory()->CreateInventoryAccess();
  error.clear();
  EXPECT_FALSE(failing->InitLogin(broken, error));
  EXPECT_NE(error, "");
}

TEST_P(DbHostTest, LookupsFindMasterData) {
  auto common = Session("clerk");
  auto factory = common->login()->hostFactory();

  auto warehouses = factory->CreateWarehouseLookup();
  warehouses->Init(common);
  std::shared_ptr<HostWarehouseLookup::Record> wh;
  ASSERT_TRUE(warehouses->Find("01", wh, 0, -1));
  EXPECT_EQ(wh->code, "01");
  EXPECT_EQ(wh->name, "成品库");
  EXPECT_FALSE(warehouses->Find("99", wh, 0, -1));

  auto positions = factory->CreatePositionLookup();
  positions->Init(common);
  std::shared_ptr<HostPositionLookup::Record> pos;
  ASSERT_TRUE(positions->Find("0201", pos, 0));
  EXPECT_EQ(pos->warehouseCode, "02");
  ASSERT_TRUE(positions->Find("9901", pos, 0));
  EXPECT_EQ(pos->warehouseCode, "");
  EXPECT_FALSE(positions->Find("0999", pos, 0));

  auto classes = factory->CreateClassLookup();
  classes->Init(common);
  auto rows = classes->Query("cInvCCode='0101'");
  // The rows stay readable while the session runs other statements.
  EXPECT_TRUE(warehouses->Find("02", wh, 0, -1));
  ASSERT_FALSE(rows->IsEOF());
  EXPECT_EQ(Trim(NullToStr(rows->Field("cInvCName"))), "手机");
  EXPECT_EQ(NullToLng(rows->Field("iInvCGrade")), 2);
  rows->MoveNext();
  EXPECT_TRUE(rows->IsEOF());
  EXPECT_TRUE(classes->Query("cInvCCode='0199'")->IsEOF());
}

TEST_P(DbHostTest, LoginKeepsItsDateAsADate) {
  auto login = DbHostLogin::Create(connectionString(), "admin", Variant("2003-06-01"));
  EXPECT_EQ(login->loginDate(), Variant(*ParseIsoDate("2003-06-01")));
  EXPECT_TRUE(DbHostLogin::Create(connectionString(), "admin", Variant())->loginDate().isDate());
  EXPECT_EQ(
      test::CaughtError([&] { DbHostLogin::Create(connectionString(), "admin", Variant("2003-02-30")); }).description(),
      "登录日期不是合法的日期值");
}

QS_INSTANTIATE_BACKENDS(DbHostTest);

}  // namespace
