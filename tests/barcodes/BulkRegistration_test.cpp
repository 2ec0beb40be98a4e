// Bulk registration: many barcodes of one item through one rule in one transaction, with the
// running numbers drawn at once; all or nothing, in order, every number once.
#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Transaction.h"
#include "quillstone/server/modFunctionDefine.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

class BulkRegistrationTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    StoreRule("BK", {{ISTFixed, 1, "B"}, {ISTInventory, 6}, {ISTSequence, 4, "0007"}, {ISTCheck, 1}});
    rule = sys.GetRuleManager()->LoadRule("BK");
  }
  std::shared_ptr<clsBarCodeManager::BarCodeSetList> Bulk(int count, const std::string& item = "P001") {
    auto inv = Inv(item);
    return bm->CreateBarCodes(inv, bm->EncodeBarCode(inv, rule), Assign("BK"), count);
  }
  std::string StoredNumber() {
    return Stored("select relevantValue from BarCodeRuleItem where ruleId = 'BK' and itemSourceType = 12").toString();
  }
  int64_t RegistrySize() { return Stored("select count(*) from InventoryBarCodeSet").toInt64(); }

  std::shared_ptr<clsBarCodeRule> rule;
};

TEST_P(BulkRegistrationTest, RegistersInOrderWithSuccessiveNumbers) {
  auto sets = Bulk(3);
  ASSERT_EQ(sets->Count(), 3);
  EXPECT_EQ(sets->Item(1)->barCode(), "B10000100071");
  EXPECT_EQ(sets->Item(2)->barCode(), "B10000100081");
  EXPECT_EQ(sets->Item(3)->barCode(), "B10000100091");
  EXPECT_EQ(sets->Item(3)->assignId(), "A0001");
  EXPECT_EQ(sets->Item(3)->invInfo()->inventoryId(), "P001");
  EXPECT_EQ(StoredNumber(), "0010");
  EXPECT_EQ(Registered("B10000100081"), 1);
  // The next single registration goes on from there, and so does the next bulk.
  auto inv = Inv("P001");
  EXPECT_EQ(bm->CreateBarCode(inv, bm->EncodeBarCode(inv, rule), Assign("BK"))->barCode(), "B10000100101");
  EXPECT_EQ(Bulk(2, "P002")->Item(2)->barCode(), "B10000200121");
  EXPECT_EQ(RegistrySize(), 6);
}

TEST_P(BulkRegistrationTest, AllOrNothing) {
  InsertRow("B10000100091", "P001");  // the third of the batch is taken
  EXPECT_EQ(FailureText([&] { Bulk(5); }), "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(StoredNumber(), "0007");
  EXPECT_EQ(RegistrySize(), 1);
  EXPECT_FALSE(conn->InTransaction());

  // Running out part-way stores nothing either.
  conn->Execute("delete from InventoryBarCodeSet");
  conn->Execute("update BarCodeRuleItem set relevantValue = '9997' where ruleId = 'BK' and itemSourceType = 12");
  EXPECT_EQ(FailureText([&] { Bulk(4); }), "流水号溢出.");
  EXPECT_EQ(StoredNumber(), "9997");
  EXPECT_EQ(RegistrySize(), 0);
  EXPECT_EQ(Bulk(3)->Item(3)->barCode(), "B10000199991");  // exactly the numbers left
}

TEST_P(BulkRegistrationTest, RefusesBadCountsAndTheChecksOfASingleRegistration) {
  EXPECT_EQ(FailureText([&] { Bulk(0); }), "一次登记的条码个数必须在1到1000000之间，实际为0");
  RestartAs("clerk");
  EXPECT_EQ(FailureText([&] { Bulk(2); }), "您没有生成条码的权限.");
  RestartAs("admin");
  EXPECT_EQ(FailureText([&] {
              auto inv = Inv("P001");
              bm->CreateBarCodes(inv, bm->EncodeBarCode(inv, rule), Assign("OTHER"), 2);
            }),
            "规则分配对应的条码规则和生成条码的条码规则不一致");
  EXPECT_EQ(RegistrySize(), 0);
  EXPECT_EQ(StoredNumber(), "0007");
}

TEST_P(BulkRegistrationTest, InsideTheCallersTransaction) {
  {
    Transaction transaction(*conn);
    Bulk(4);
  }
  EXPECT_EQ(RegistrySize(), 0);
  EXPECT_EQ(StoredNumber(), "0007");
}

QS_INSTANTIATE_BACKENDS(BulkRegistrationTest);

}  // namespace
