#include "quillstone/server/clsHelper.h"

#include <gtest/gtest.h>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/server/schema/Schema.h"
#include "support/BackendTest.h"
#include "support/CaughtError.h"

using namespace quillstone;

namespace {

// The reference list's select, as the host expects it character for character.
const std::string kBase =
    "select InventoryBarCodeSet.cbarcode as 条形码,InventoryBarCodeSet.cinvcode as 存货编码,Inventory.cinvname as "
    "存货名称,InventoryBarCodeSet.cinvccode as 存货大类编码, InventoryBarCodeSet.cinvcname as 存货大类名称,"
    "InventoryBarCodeSet.cWhCode as 仓库编码,InventoryBarCodeSet.cPostion as 货位编码, InventoryBarCodeSet.cbatch "
    "As 批号, InventoryBarCodeSet.dMDate As 生产日期, InventoryBarCodeSet.dvDate As 失效日期, "
    "InventoryBarCodeSet.iMassDate As 保质期, InventoryBarCodeSet.cVenCode As 供应商编码, "
    "InventoryBarCodeSet.cAssUnit As 计量单位, InventoryBarCodeSet.fUnitCost As 单价, InventoryBarCodeSet.cFree1 "
    "As 自由项1, InventoryBarCodeSet.cFree2 As 自由项2, InventoryBarCodeSet.cFree3 As 自由项3, "
    "InventoryBarCodeSet.cFree4 As 自由项4,InventoryBarCodeSet.cFree5 As 自由项5, InventoryBarCodeSet.cFree6 As "
    "自由项6,InventoryBarCodeSet.cFree7 As 自由项7, InventoryBarCodeSet.cFree8 As 自由项8,InventoryBarCodeSet.cFree9 "
    "As 自由项9, InventoryBarCodeSet.cFree10 As 自由项10,InventoryBarCodeSet.dCreateDate as 条码创建时间, "
    "InventoryBarCodeSet.bAbandon as 是否封存 from InventoryBarCodeSet inner join Inventory on "
    "(InventoryBarCodeSet.cInvCode=Inventory.cInvCode) ";

// Common services that answer a fixed data-rights list.
class FixedRights : public HostCommon {
 public:
  explicit FixedRights(std::string rights) : rights_(std::move(rights)) {}
  bool AttachLogin(std::shared_ptr<HostLogin>&) override { return true; }
  void setConnection(const std::shared_ptr<Connection>&) override {}
  std::shared_ptr<Connection> connection() const override { return nullptr; }
  std::shared_ptr<Account> account() const override { return nullptr; }
  void setAccount(const std::shared_ptr<Account>&) override {}
  std::shared_ptr<HostLogin> login() const override { return nullptr; }
  bool CheckRight(std::string&, bool&) override { return true; }
  std::string DataRightFilter(const std::string& object, const std::string& extra, const std::string& mode) override {
    asked = object + "|" + extra + "|" + mode;
    return rights_;
  }
  std::string asked;

 private:
  std::string rights_;
};

std::string RefSql(const std::shared_ptr<HostCommon>& common, const std::string& filter) {
  auto context = std::make_shared<clsContext>();
  context->setMoLogin(common);
  clsHelper helper;
  helper.AttachContext(context);
  return helper.GetBarCodeRefSQL(filter);
}

TEST(clsHelperTest, WithoutFilterOrRightsOnlyHidesAbandoned) {
  auto rights = std::make_shared<FixedRights>("");
  EXPECT_EQ(RefSql(rights, ""),
            kBase + " where (InventoryBarCodeSet.bAbandon is null or InventoryBarCodeSet.bAbandon<>1)");
  EXPECT_EQ(rights->asked, "inventory||R");
  // A blank filter counts as none.
  EXPECT_EQ(RefSql(rights, "   "),
            kBase + " where (InventoryBarCodeSet.bAbandon is null or InventoryBarCodeSet.bAbandon<>1)");
}

TEST(clsHelperTest, FilterAndRightsAreAppended) {
  EXPECT_EQ(RefSql(std::make_shared<FixedRights>("1,2"), "cBatch='B1'"),
            kBase +
                " where (InventoryBarCodeSet.cBatch = 'B1') and (InventoryBarCodeSet.bAbandon is null or "
                "InventoryBarCodeSet.bAbandon<>1) and Inventory.iid in (1,2)");
  // A part of the filter that can fail on a row's values is evaluated only on rows the rights let through.
  EXPECT_EQ(RefSql(std::make_shared<FixedRights>("1,2"), "cInvCode = 'P1' and cast(cBatch as integer) > 2"),
            kBase +
                " where ((InventoryBarCodeSet.cInvCode = 'P1') and (case when Inventory.iid in (1,2) then "
                "(cast(InventoryBarCodeSet.cBatch as integer) > 2) else false end)) and "
                "(InventoryBarCodeSet.bAbandon is null or InventoryBarCodeSet.bAbandon<>1) and Inventory.iid in (1,2)");
}

TEST(clsHelperTest, RefusesWithoutAContext) {
  clsHelper helper;
  EXPECT_EQ(test::CaughtError([&] { helper.GetBarCodeRefSQL(""); }).description(),
            "条形码服务组件没有成功初始化，请先初始化服务.");
  auto context = std::make_shared<clsContext>();
  context->setMoLogin(std::make_shared<FixedRights>(""));
  helper.AttachContext(context);
  context.reset();
  EXPECT_EQ(test::CaughtError([&] { helper.GetBarCodeRefSQL(""); }).source(), "Assert");
}

// The text runs on both backends and lists what the user may see, abandoned barcodes left out.
class clsHelperDbTest : public BackendTest {};

TEST_P(clsHelperDbTest, ReferenceListRunsAndAppliesRights) {
  Schema::Create(*conn);
  Schema::LoadDemo(*conn);
  conn->ExecuteScript(
      "insert into InventoryBarCodeSet (cBarCode, cInvCode, cBatch, bAbandon) values "
      "('B-P001', 'P001', 'B1', 0), ('B-P002', 'P002', 'B1', null), ('B-S001', 'S001', 'B1', 0), "
      "('B-P001-X', 'P001', 'B1', 1), ('B-P001-2', 'P001', 'B2', 0);");

  auto list = [&](const std::string& user, const std::string& filter) {
    std::shared_ptr<HostLogin> login = DbHostLogin::Create(connectionString(), user, Variant("2003-06-01"));
    auto common = login->hostFactory()->CreateCommon();
    common->AttachLogin(login);
    common->setConnection(conn);
    auto rs = conn->Query(RefSql(common, filter) + " order by InventoryBarCodeSet.cBarCode");
    std::string codes;
    for (; !rs->IsEOF(); rs->MoveNext()) codes += (codes.empty() ? "" : " ") + NullToStr(rs->Field("条形码"));
    return codes;
  };
  EXPECT_EQ(list("admin", ""), "B-P001 B-P001-2 B-P002 B-S001");
  EXPECT_EQ(list("admin", "cBatch='B1'"), "B-P001 B-P002 B-S001");
  EXPECT_EQ(list("limited", "cBatch='B1'"), "B-P001 B-P002");
  EXPECT_EQ(list("blind", ""), "");
}

QS_INSTANTIATE_BACKENDS(clsHelperDbTest);

}  // namespace
