// Registry queries and maintenance over rows written directly: data rights, abandon / reuse /
// remove, use by documents, and verification against the stored properties.
#include <algorithm>
#include <chrono>
#include <functional>

#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/platform/ClientRecordset.h"
#include "src/quillstone/server/host/DbHostCommon.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

class BarCodeRegistryTest : public BarCodeTest {
 protected:
  std::vector<std::string> Listed(const std::string& filter = "", bool bCheckAuth = true) {
    std::vector<std::string> codes;
    auto list = bm->ListInventoryBarCodeSets(filter, bCheckAuth);
    for (const auto& set : *list) codes.push_back(set->barCode());
    std::sort(codes.begin(), codes.end());
    return codes;
  }
  int OpenTasks() { return std::dynamic_pointer_cast<DbHostCommon>(context()->moLogin())->OpenTasks("ST050302"); }
  // A row of S001 carrying every property column.
  void InsertFullRow(const std::string& barCode) {
    InsertRow(barCode, "S001",
              {{"cInvName", Variant("男士衬衫")},
               {"cInvCCode", Variant("0201001")},
               {"cInvCName", Variant("衬衫")},
               {"cInvStd", Variant("纯棉")},
               {"cBatch", Variant("B2")},
               {"dVDate", Variant("2003-05-31")},
               {"cFree1", Variant("黑色")},
               {"cFree2", Variant("M")},
               {"cFree3", Variant("上海")},
               {"cPostion", Variant("0101")},
               {"dMDate", Variant("2003-05-01")},
               {"iMassDate", Variant(30)},
               {"cAssUnit", Variant("0202")},
               {"fUnitCost", Variant(12.5)},
               {"cVenCode", Variant("V003")},
               {"cWhCode", Variant("01")}});
  }
  std::shared_ptr<clsInventoryInfo> FullInv() {
    auto inv = Inv("S001");
    inv->setBatchNo(Variant("B2"));
    inv->setDisableDate(Variant(std::chrono::year{2003} / 5 / 31));
    inv->setFree1(Variant("黑色"));
    inv->setFree2(Variant("M"));
    inv->setFree3(Variant("上海"));
    inv->setInvPositionId(Variant("0101"));
    inv->setMadeDate(Variant("2003-05-01"));
    inv->setMassDay(Variant(int16_t{30}));
    inv->setUnit(Variant("0202"));
    inv->setUnitCost(Variant(12.5));
    inv->setVendorId(Variant("V003"));
    inv->setWarehouseId(Variant("01"));
    return inv;
  }
};

TEST_P(BarCodeRegistryTest, LoadAndListReadTheRowAsStored) {
  InsertFullRow("F1");
  conn->Execute("update InventoryBarCodeSet set bAbandon = null");

  auto set = bm->LoadInventoryBarCodeSet("F1");
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->barCode(), "F1");
  EXPECT_EQ(set->ruleId(), "R0");
  EXPECT_EQ(set->assignId(), "A0");
  EXPECT_EQ(set->createDate(), "2003-06-01");
  EXPECT_FALSE(set->bAbandon());  // Null is normal use
  const auto& inv = *set->invInfo();
  EXPECT_EQ(inv.inventoryId(), "S001");
  EXPECT_EQ(inv.inventoryClassName(), "衬衫");
  EXPECT_EQ(inv.batchNo(), Variant("B2"));
  EXPECT_EQ(inv.madeDate(), Variant("2003-05-01"));
  EXPECT_EQ(inv.massDay().toString(), "30");
  EXPECT_EQ(inv.unitCost(), Variant(12.5));
  EXPECT_TRUE(inv.free4().isNull());
  EXPECT_TRUE(inv.inventorySpec().isEmpty());  // not read by a single load

  auto listed = bm->ListInventoryBarCodeSets();
  ASSERT_EQ(listed->Count(), 1);
  EXPECT_EQ(listed->Item(1)->invInfo()->inventorySpec(), Variant("纯棉"));
  EXPECT_EQ(bm->LoadInventoryBarCodeSet("F2"), nullptr);
}

TEST_P(BarCodeRegistryTest, ListsEveryRowOrTheFilteredOnes) {
  InsertRow("L1", "P001", {{"bAbandon", Variant(1)}});
  InsertRow("L2", "S001");
  InsertRow("L3", "F001", {{"cBatch", Variant("X")}});
  EXPECT_EQ(Listed(), (std::vector<std::string>{"L1", "L2", "L3"}));  // abandoned rows too
  EXPECT_EQ(Listed("cBatch='X'"), (std::vector<std::string>{"L3"}));

  auto rs = bm->ListInventoryBarCodeSetRS("Inventory.cInvCode<>'P001'");
  EXPECT_EQ(rs->RecordCount(), 2);
  EXPECT_GE(rs->FindField("cFree10"), 0);

  EXPECT_EQ(FailureText([&] { bm->ListInventoryBarCodeSetRS("no such column = 1"); }, "Error")
                .rfind("获取条形码列表错误,", 0),
            0u);
  FailureText([&] { bm->ListInventoryBarCodeSets("no such column = 1"); });
}

TEST_P(BarCodeRegistryTest, ItemsOutsideTheDataRightsDoNotExist) {
  InsertRow("V1", "P001");  // iid 1: visible to "limited"
  InsertRow("H1", "S001");  // iid 4: not visible
  RestartAs("limited");

  EXPECT_NE(bm->LoadInventoryBarCodeSet("V1"), nullptr);
  EXPECT_EQ(bm->LoadInventoryBarCodeSet("H1"), nullptr);
  EXPECT_NE(bm->LoadInventoryBarCodeSet("H1", false), nullptr);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"V1"}));
  EXPECT_EQ(Listed("", false), (std::vector<std::string>{"H1", "V1"}));
  // An "or" in the caller's condition stays inside it and cannot lift the rights.
  EXPECT_EQ(Listed("InventoryBarCodeSet.cBarCode='H1' or InventoryBarCodeSet.cBarCode='V1'"),
            (std::vector<std::string>{"V1"}));
  EXPECT_EQ(bm->ListInventoryBarCodeSetRS("InventoryBarCodeSet.cBarCode='H1' or InventoryBarCodeSet.cBarCode='V1'")
                ->RecordCount(),
            1);

  EXPECT_EQ(FailureText([&] { bm->IsInUse("H1"); }), "条形码'H1'不存在，或者没有对它的访问权限.");
  EXPECT_EQ(FailureText([&] { bm->AbandonBarCode("H1"); }), "指定的条形码不存在或者没有权限,条形码=H1");
  EXPECT_EQ(FailureText([&] { bm->ReuseBarCode("H1"); }), "指定的条形码不存在或者没有权限,条形码=H1");
  EXPECT_EQ(FailureText([&] { bm->RemoveBarCode("H1"); }), "条形码'H1'不存在，或者没有对它的访问权限.");
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("H1", Inv("S001")); }), "条码'H1'不存在，或者对条码没有权限");
  EXPECT_EQ(Registered("H1"), 1);
}

TEST_P(BarCodeRegistryTest, AbandonAndReuseMoveBetweenTheTwoStates) {
  InsertRow("N1", "P001");  // bAbandon Null
  EXPECT_EQ(FailureText([&] { bm->ReuseBarCode("N1"); }), "该条形码没有处于废弃状态，不能重用");
  bm->AbandonBarCode("N1");
  EXPECT_EQ(Stored("select bAbandon from InventoryBarCodeSet").toInt32(), 1);
  EXPECT_TRUE(bm->LoadInventoryBarCodeSet("N1")->bAbandon());
  EXPECT_EQ(FailureText([&] { bm->AbandonBarCode("N1"); }), "该条形码没有处于正常的使用状态，不能废弃");
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("N1", Inv("P001")); }), "条码'N1'已被封存，不能使用");
  bm->ReuseBarCode("N1");
  EXPECT_EQ(Stored("select bAbandon from InventoryBarCodeSet").toInt32(), 0);
  EXPECT_EQ(OpenTasks(), 0);
}

TEST_P(BarCodeRegistryTest, RemoveRefusesABarCodeThatDocumentsUse) {
  InsertRow("U1", "P001", {{"bAbandon", Variant(1)}});
  EXPECT_FALSE(bm->IsInUse("U1"));
  EXPECT_EQ(FailureText([&] { bm->IsInUse("U9"); }), "条形码'U9'不存在，或者没有对它的访问权限.");

  MarkUsed("U1");
  EXPECT_TRUE(bm->IsInUse("U1"));
  EXPECT_EQ(FailureText([&] { bm->RemoveBarCode("U1"); }), "条码'U1'已经被使用，不能删除.");
  EXPECT_EQ(Registered("U1"), 1);
  EXPECT_EQ(OpenTasks(), 0);

  conn->Execute("delete from BarCodeUsage");
  bm->RemoveBarCode("U1");  // abandoned rows go like normal ones
  EXPECT_EQ(Registered("U1"), 0);
}

TEST_P(BarCodeRegistryTest, AnAnswerOfBlanksMeansNotInUse) {
  InsertRow("U1", "P001");
  if (backend() == Backend::Postgres) {
    conn->ExecuteScript(
        "create or replace function sp_BarCodeUsed(cCode varchar(200), out cRetValue varchar(60)) as $$"
        " begin cRetValue := '   '; end; $$ language plpgsql;");
  } else {
    Connection::RegisterEmulatedProcedure("sp_BarCodeUsed", [](Connection&, std::vector<ProcedureParameter>& params) {
      params[1].value = Variant("   ");
    });
  }
  // The next start of the system registers the schema's own body again.
  bm->RemoveBarCode("U1");
  EXPECT_EQ(Registered("U1"), 0);
}

TEST_P(BarCodeRegistryTest, ChangesNeedTheRightBeforeAnyLookup) {
  RestartAs("clerk");
  EXPECT_EQ(FailureText([&] { bm->AbandonBarCode("none"); }), "您没有废弃条码的权限.");
  EXPECT_EQ(FailureText([&] { bm->ReuseBarCode("none"); }), "您没有重用条码的权限.");
  EXPECT_EQ(FailureText([&] { bm->RemoveBarCode("none"); }), "您没有删除条码的权限.");
}

TEST_P(BarCodeRegistryTest, QuotesInABarCodeAreData) {
  InsertRow("Q'1", "P001");
  EXPECT_EQ(bm->LoadInventoryBarCodeSet("Q'1")->barCode(), "Q'1");
  EXPECT_EQ(bm->LoadInventoryBarCodeSet("x' or '1'='1"), nullptr);
  bm->AbandonBarCode("Q'1");
  EXPECT_EQ(Stored("select bAbandon from InventoryBarCodeSet").toInt32(), 1);
  EXPECT_FALSE(bm->IsInUse("Q'1"));
  bm->RemoveBarCode("Q'1");
  EXPECT_EQ(Registered("Q'1"), 0);
}

TEST_P(BarCodeRegistryTest, VerifyBarCodeSetPassesOnAgreeingOrBlankProperties) {
  InsertFullRow("F1");
  bm->VerifyBarCodeSet("F1", FullInv());  // a date value and a 16-bit shelf life agree with the stored text
  bm->VerifyBarCodeSet("F1", Inv("S001"));
  // Compared as text: the same day in another text form disagrees, as 12.50 does with 12.5.
  auto sameDay = FullInv();
  sameDay->setMadeDate(Variant("2003-5-1"));
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("F1", sameDay); }),
            "条码信息与当前生产日期不一致，条码信息中的生产日期为'2003-05-01',当前生产日期为'2003-5-1'");
  InsertRow("F2", "S001");  // nothing stored: any batch passes
  auto inv = Inv("S001");
  inv->setBatchNo(Variant("anything"));
  bm->VerifyBarCodeSet("F2", inv);
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("F2", Inv("")); }),
            "条码信息与当前存货编码不一致，条码信息中的存货编码为'S001',当前存货编码为''");
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("F2", nullptr); }), "参数invInfo不能为空");
}

TEST_P(BarCodeRegistryTest, VerifyBarCodeSetNamesTheFirstMismatch) {
  InsertFullRow("F1");
  struct Case {
    std::function<void(clsInventoryInfo&)> change;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[](auto& i) { i.setBatchNo(Variant("B1")); }, "条码信息与当前批号不一致，条码信息中的批号为'B2',当前批号为'B1'"},
      {[](auto& i) { i.setDisableDate(Variant("2003-06-30")); },
       "条码信息与当前失效日期不一致，条码信息中的失效日期为'2003-05-31',当前失效日期为'2003-06-30'"},
      {[](auto& i) { i.setFree1(Variant("白色")); },
       "条码信息与当前颜色不一致 ，条码信息中的颜色为'黑色',当前颜色为'白色'"},
      {[](auto& i) { i.setFree3(Variant("北京")); },
       "条码信息与当前产地不一致 ，条码信息中的产地为'上海',当前产地为'北京'"},
      {[](auto& i) { i.setInvPositionId(Variant("0102")); },
       "条码信息与当前货位编码不一致，条码信息中的货位编码为'0101',当前货位编码为'0102'"},
      {[](auto& i) { i.setMadeDate(Variant("2003-5-2")); },
       "条码信息与当前生产日期不一致，条码信息中的生产日期为'2003-05-01',当前生产日期为'2003-5-2'"},
      {[](auto& i) { i.setMassDay(Variant(31)); },
       "条码信息与当前保质期不一致，条码信息中的保质期为'30',当前保质期为'31'"},
      {[](auto& i) { i.setUnit(Variant("0201")); },
       "条码信息与当前辅计量单位不一致，条码信息中的辅计量单位为'0202',当前辅计量单位为'0201'"},
      {[](auto& i) { i.setUnitCost(Variant("12.50")); },
       "条码信息与当前单价不一致，条码信息中的单价为'12.5',当前单价为'12.50'"},
      {[](auto& i) { i.setVendorId(Variant("V001")); },
       "条码信息与当前供应商不一致，条码信息中的供应商为'V003',当前供应商为'V001'"},
      {[](auto& i) { i.setWarehouseId(Variant("02")); },
       "条码信息与当前仓库不一致，条码信息中的仓库为'01',当前仓库为'02'"},
      {[](auto& i) { i.setInventoryId("S002"); },
       "条码信息与当前存货编码不一致，条码信息中的存货编码为'S001',当前存货编码为'S002'"},
  };
  for (const Case& c : cases) {
    auto inv = FullInv();
    c.change(*inv);
    EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet("F1", inv); }), c.message);
  }
  // Batch comes first: with several mismatches the batch is named.
  auto inv = FullInv();
  inv->setWarehouseId(Variant("02"));
  inv->setBatchNo(Variant("B1"));
  EXPECT_NE(FailureText([&] { bm->VerifyBarCodeSet("F1", inv); }).find("批号"), std::string::npos);
}

QS_INSTANTIATE_BACKENDS(BarCodeRegistryTest);

}  // namespace
