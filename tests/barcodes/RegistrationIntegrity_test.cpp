// What keeps registration sound when other clients register at the same time: placeholders that
// draw whatever others drew, one commit per registration, running numbers that end instead of
// wrapping, and a raced registry key reported as the library's duplicate.
#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Transaction.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsSequenceManager.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

class RegistrationIntegrityTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    StoreRule("SQ", {{ISTFixed, 1, "S"}, {ISTInventory, 6}, {ISTSequence, 5, "00041"}});
    rule = sys.GetRuleManager()->LoadRule("SQ");
  }
  std::shared_ptr<clsInventoryBarCodeSet> Create(const std::shared_ptr<clsBarCode>& barCode,
                                                 const std::string& item = "P001") {
    return bm->CreateBarCode(Inv(item), barCode, Assign("SQ"));
  }
  std::shared_ptr<clsBarCode> Encode(const std::string& item = "P001") { return bm->EncodeBarCode(Inv(item), rule); }
  std::string StoredNumber() {
    return Stored("select relevantValue from BarCodeRuleItem where ruleId = 'SQ' and itemSourceType = 12").toString();
  }
  // Another client draws the number the caller was shown.
  void DrawElsewhere() { context()->objSequenceManager()->CreateSequenceNumber("SQ", 3); }
  int64_t RegistrySize() { return Stored("select count(*) from InventoryBarCodeSet").toInt64(); }

  std::shared_ptr<clsBarCodeRule> rule;
};

TEST_P(RegistrationIntegrityTest, AShownNumberThatAnotherClientDrewIsDrawnAfresh) {
  auto first = Encode("P001");
  auto second = Encode("P002");  // both are shown 00041
  EXPECT_EQ(first->barCode(), "S10000100041");
  EXPECT_EQ(Create(first, "P001")->barCode(), "S10000100041");
  // Of another item, so the text alone would not collide: the number must still not repeat.
  EXPECT_EQ(Create(second, "P002")->barCode(), "S10000200042");
  DrawElsewhere();  // 00043
  EXPECT_EQ(Create(Encode())->barCode(), "S10000100044");
  EXPECT_EQ(StoredNumber(), "00045");
}

TEST_P(RegistrationIntegrityTest, AValueTheCallerSetIsKept) {
  auto edited = Encode();
  edited->items()->Item(3)->setValue("00900");
  EXPECT_EQ(Create(edited)->barCode(), "S10000100900");
  EXPECT_EQ(StoredNumber(), "00041");
  // Set by hand to the current number: that number is drawn, so it is not handed out again.
  auto byHand = BarCodeOf("SQ", {"S", "100001", "00041"});
  EXPECT_EQ(Create(byHand)->barCode(), "S10000100041");
  EXPECT_EQ(StoredNumber(), "00042");
}

TEST_P(RegistrationIntegrityTest, ARefusedRegistrationLeavesTheNumberAsItWas) {
  InsertRow("S10000100041", "P001");  // the number about to be drawn is taken already
  EXPECT_EQ(FailureText([&] { Create(Encode()); }), "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(StoredNumber(), "00041");
  EXPECT_FALSE(conn->InTransaction());
}

TEST_P(RegistrationIntegrityTest, InsideTheCallersTransactionNothingIsCommittedOfItsOwn) {
  {
    Transaction transaction(*conn);
    Create(Encode());
    EXPECT_TRUE(conn->InTransaction());
    // Rolled back with the caller's transaction: the row and the draw go together.
  }
  EXPECT_EQ(StoredNumber(), "00041");
  EXPECT_EQ(RegistrySize(), 0);

  Transaction transaction(*conn);
  Create(Encode());
  Create(Encode());
  transaction.Commit();
  EXPECT_EQ(StoredNumber(), "00043");
  EXPECT_EQ(RegistrySize(), 2);
}

TEST_P(RegistrationIntegrityTest, AnExhaustedRunningNumberRaisesAndStoresNothing) {
  conn->Execute("update BarCodeRuleItem set relevantValue = '99998' where ruleId = 'SQ' and itemSourceType = 12");
  EXPECT_EQ(Create(Encode())->barCode(), "S10000199998");
  EXPECT_EQ(Create(Encode())->barCode(), "S10000199999");
  const std::string before = StoredNumber();
  EXPECT_EQ(Create(BarCodeOf("SQ", {"S", "100001", "00007"}))->barCode(), "S10000100007");  // set by hand: kept
  EXPECT_EQ(FailureText([&] { Create(Encode()); }), "流水号溢出.");
  EXPECT_EQ(FailureText([&] { context()->objSequenceManager()->CreateSequenceNumber("SQ", 3); }, "Error"),
            "流水号溢出.");
  EXPECT_EQ(StoredNumber(), before);
  EXPECT_EQ(Stored("select count(*) from InventoryBarCodeSet where cBarCode like 'S100001%'").toInt64(), 3);
}

TEST_P(RegistrationIntegrityTest, ARacedRegistryKeyIsTheLibrarysDuplicate) {
  // The row appears between the registry check and the insert, as when another client
  // registers the same text at the same moment: a trigger inserts it first.
  if (backend() == Backend::Postgres) {
    conn->ExecuteScript(
        "create function qs_race() returns trigger as $$ begin"
        " if pg_trigger_depth() = 1 then"
        "   insert into InventoryBarCodeSet(cBarCode, cInvCode) values (new.cBarCode, 'P002');"
        " end if; return new; end; $$ language plpgsql;"
        "create trigger qs_race before insert on InventoryBarCodeSet for each row execute function qs_race();");
  } else {
    conn->ExecuteScript(
        "create trigger qs_race before insert on InventoryBarCodeSet when new.cInvCode = 'P001'"
        " begin insert into InventoryBarCodeSet(cBarCode, cInvCode) values (new.cBarCode, 'P002'); end;");
  }
  for (auto call : {std::function<void()>([&] { Create(Encode()); }), std::function<void()>([&] {
                      bm->AddInventoryBarCodeSet(BarCodeOf("SQ", {"S", "100001", "00700"}), Inv("P001"), Assign("SQ"));
                    })}) {
    const Error error = test::CaughtError(call);
    EXPECT_EQ(error.description(), "该条形码已经存在，条形码不能重复");
    EXPECT_EQ(error.number(), Error::kLibraryNumber);
    EXPECT_EQ(error.source(), "Assert");
  }
  EXPECT_EQ(StoredNumber(), "00041");
  EXPECT_EQ(RegistrySize(), 0);
}

QS_INSTANTIATE_BACKENDS(RegistrationIntegrityTest);

}  // namespace
