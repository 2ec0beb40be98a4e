// Encoding, the pre-registration check, registration and replacement of barcodes, end to end over
// the rule store, the assignments, the item sources and the sequence numbers.
#include <chrono>

#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/modFunctionDefine.h"

using namespace quillstone;
using quillstone::test::FailureText;
using quillstone::test::SegmentDef;

namespace {

class BarCodeRegistrationTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    StoreRule("FO", {{ISTFixed, 2, "P1"}, {ISTOther, 4}});  // any barcode-managed item
    StoreRule("OT", {{ISTOther, 4}});
  }
  std::shared_ptr<clsInventoryBarCodeSet> Add(const std::shared_ptr<clsInventoryInfo>& inv,
                                              const std::string& other = "0001") {
    return bm->AddInventoryBarCodeSet(BarCodeOf("OT", {other}), inv, Assign("OT"));
  }
  std::shared_ptr<clsInventoryBarCodeSet> CreateFO(const std::string& other, const std::string& item = "P001") {
    return bm->CreateBarCode(Inv(item), BarCodeOf("FO", {"P1", other}), Assign("FO"));
  }
  std::shared_ptr<clsInventoryBarCodeSet> UpdateFO(const std::string& old, const std::string& other) {
    return bm->UpdateBarCode(old, Inv("P001"), BarCodeOf("FO", {"P1", other}), Assign("FO"));
  }
  std::string StoredSequence(const std::string& ruleId) {
    return Stored("select relevantValue from BarCodeRuleItem where ruleId = ? and itemSourceType = 12",
                  {Variant(ruleId)})
        .toString();
  }
  int64_t RegistrySize() { return Stored("select count(*) from InventoryBarCodeSet").toInt64(); }
};

// A rule with every kind of segment, for S001 made shelf-life managed for the purpose.
TEST_P(BarCodeRegistrationTest, EveryKindOfSegmentIsEncodedRegisteredDecodedAndVerified) {
  conn->Execute("update Inventory set bInvQuality = 1, iMassDate = 30 where cInvCode = 'S001'");
  auto rm = sys.GetRuleManager();
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId("ALL");
  rule->setRuleName("全部条码项");
  rule->setLength(60);
  rule->setBarCodeType("1");
  const std::vector<SegmentDef> defs = {{ISTInventory, 6},
                                          {ISTInventoryClass, 2},
                                          {ISTVendor, 3},
                                          {ISTWarehouse, 2},
                                          {ISTPosition, 3},
                                          {ISTBatch, 4},
                                          {ISTInventoryUnit, 2},
                                          {ISTUnitCost, 6, "2"},
                                          {ISTMadeDate, 6, "yymmdd"},
                                          {ISTDisableDate, 8, "yyyymmdd"},
                                          {ISTMassDay, 3, "天数"},
                                          {ISTFixed, 2, "QS"},
                                          {ISTSequence, 4, "0041"},
                                          {ISTFree1, 2},
                                          {ISTFree2, 1},
                                          {ISTFree3, 2},
                                          {ISTCheck, 1},
                                          {ISTOther, 3}};
  for (const auto& def : defs) {
    auto item = rule->CreateRuleItem(def.type);
    item->setLength(def.length);
    item->setRelevantValue(def.relevantValue);
    rule->ruleItems()->Add(item);
  }
  rm->CreateRule(rule);
  auto assignment = std::make_shared<clsInventoryAssign>();
  assignment->setInventoryId("S001");
  assignment->setRuleId("ALL");
  std::shared_ptr<clsRuleAssign> created = assignment;
  rm->CreateAssign(created);
  auto assign = rm->FindAssignByInventory("S001");
  ASSERT_NE(assign, nullptr);
  auto stored = rm->LoadRule(assign->ruleId());
  ASSERT_NE(stored, nullptr);

  auto inv = Inv("S001");
  inv->setInventoryName("男士衬衫");
  inv->setInventoryClassId("0201001");
  inv->setInventoryClassName("衬衫");
  inv->setVendorId(Variant("V003"));
  inv->setWarehouseId(Variant("01"));
  inv->setInvPositionId(Variant("0101"));
  inv->setBatchNo(Variant("B001"));
  inv->setUnit(Variant("0202"));
  inv->setUnitCost(Variant(12.5));
  inv->setMadeDate(Variant("2003-5-1"));
  inv->setDisableDate(Variant(std::chrono::year{2003} / 5 / 31));
  inv->setMassDay(Variant(30));
  inv->setFree1(Variant("黑色"));
  inv->setFree2(Variant("M"));
  inv->setFree3(Variant("上海"));

  auto barCode = bm->EncodeBarCode(inv, stored);
  barCode->items()->Item(18)->setValue("ABC");  // an "other" segment is the caller's
  const std::string expected = std::string("200001") + "23" + "903" + "51" + "611" + "B001" + "22" + "001250" +
                               "030501" + "20030531" + "030" + "QS" + "0041" + "01" + "2" + "SH" + "1" + "ABC";
  EXPECT_EQ(barCode->barCode(), expected);
  EXPECT_EQ(StoredSequence("ALL"), "0041");  // encoding only shows the number

  auto set = bm->CreateBarCode(inv, barCode, assign);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->barCode(), expected);
  EXPECT_EQ(set->ruleId(), "ALL");
  EXPECT_EQ(set->assignId(), assign->assignId());
  EXPECT_EQ(set->createDate(), FormatIsoDate(Today()));
  EXPECT_EQ(set->invInfo(), inv);
  EXPECT_FALSE(set->bAbandon());
  EXPECT_EQ(StoredSequence("ALL"), "0042");  // the number was drawn

  // One row holding exactly the properties the rule's segments carry; dates as yyyy-MM-dd text.
  {
    auto other = Connection::Open(connectionString());
    auto row = other->Query("select * from InventoryBarCodeSet");
    ASSERT_FALSE(row->IsEOF());
    EXPECT_EQ(row->Field("cInvCode"), Variant("S001"));
    EXPECT_EQ(row->Field("cInvCName"), Variant("衬衫"));
    EXPECT_EQ(row->Field("cAssignId"), Variant(assign->assignId()));
    EXPECT_EQ(NullToLng(row->Field("bAbandon")), 0);
    EXPECT_EQ(row->Field("dMDate"), Variant("2003-05-01"));
    EXPECT_EQ(row->Field("dVDate"), Variant("2003-05-31"));
    EXPECT_EQ(row->Field("dCreateDate"), Variant(FormatIsoDate(Today())));
    for (const char* column : {"cWhCode", "cPostion", "cBatch", "iMassDate", "cVenCode", "cAssUnit", "fUnitCost",
                               "cFree1", "cFree2", "cFree3"})
      EXPECT_FALSE(row->Field(column).isNull()) << column;
    for (const char* column : {"cInvStd", "cFree4", "cFree5", "cFree10"})
      EXPECT_TRUE(row->Field(column).isNull()) << column;
    row->MoveNext();
    EXPECT_TRUE(row->IsEOF());
  }

  // The next encoding shows the next number.
  auto next = bm->EncodeBarCode(inv, stored);
  EXPECT_EQ(next->items()->Item(13)->value(), "0042");

  std::shared_ptr<clsInventoryInfo> decoded = std::make_shared<clsInventoryInfo>();
  bm->DecodeBarCode(expected, stored, decoded);
  EXPECT_EQ(decoded->inventoryId(), "S001");
  EXPECT_EQ(decoded->inventoryName(), "男士衬衫");
  EXPECT_EQ(decoded->inventoryClassName(), "衬衫");
  for (ItemSourceType t : {ISTVendor, ISTWarehouse, ISTPosition, ISTBatch, ISTInventoryUnit, ISTUnitCost, ISTMassDay,
                           ISTFree1, ISTFree2, ISTFree3})
    EXPECT_EQ(NullToStr(decoded->InventoryProperty(t)), NullToStr(inv->InventoryProperty(t))) << t;
  EXPECT_EQ(decoded->madeDate(), Variant("2003-05-01"));
  EXPECT_EQ(decoded->disableDate(), Variant("2003-05-31"));

  // The registry keeps the day as yyyy-MM-dd; the text 2003-5-1 the caller gave is another text.
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet(expected, inv); }),
            "条码信息与当前生产日期不一致，条码信息中的生产日期为'2003-05-01',当前生产日期为'2003-5-1'");
  inv->setMadeDate(Variant(std::chrono::year{2003} / 5 / 1));  // a date value presents as yyyy-MM-dd
  bm->VerifyBarCodeSet(expected, inv);
  bm->VerifyBarCodeSet(expected, decoded);
  auto changed = inv->CloneInventoryInfo();
  changed->setFree2(Variant("L"));
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet(expected, changed); }),
            "条码信息与当前尺码不一致 ，条码信息中的尺码为'M',当前尺码为'L'");
}

TEST_P(BarCodeRegistrationTest, EncodeFillsTheGivenBarCodeOfTheSameRuleOnly) {
  auto rule = sys.GetRuleManager()->LoadRule("FO");
  auto inv = Inv("P001");
  auto fresh = bm->EncodeBarCode(inv, rule);
  EXPECT_EQ(fresh->barCode(), "P1");
  std::shared_ptr<clsBarCode> given = BarCodeOf("FO", {"", "0007"});
  EXPECT_EQ(bm->EncodeBarCode(inv, rule, given), given);
  EXPECT_EQ(given->barCode(), "P10007");

  std::shared_ptr<clsBarCode> foreign = BarCodeOf("OT", {"0001"});
  EXPECT_EQ(FailureText([&] { bm->EncodeBarCode(inv, rule, foreign); }),
            "无效的参数，条形码的规则与传入的条码规则不匹配");
  EXPECT_EQ(foreign->barCode(), "0001");
  std::shared_ptr<clsBarCode> shortOne = BarCodeOf("FO", {"", "0001"});
  shortOne->items()->Remove(2);
  EXPECT_EQ(FailureText([&] { bm->EncodeBarCode(inv, rule, shortOne); }),
            "无效的参数，条形码项目数与传入条形码规则的项目数不一致");
  EXPECT_EQ(FailureText([&] { bm->EncodeBarCode(nullptr, rule); }), "参数invInfo不能为空");
  EXPECT_EQ(FailureText([&] { bm->EncodeBarCode(inv, nullptr); }), "rule");
}

TEST_P(BarCodeRegistrationTest, DecodeRefusesATextOfTheWrongLength) {
  auto rule = sys.GetRuleManager()->LoadRule("FO");
  std::shared_ptr<clsInventoryInfo> inv;
  EXPECT_EQ(FailureText([&] { bm->DecodeBarCode("P1001", rule, inv); }),
            "条码长度不等于对应规则定义的长度,规则要求长度为6");
  EXPECT_EQ(inv, nullptr);
  EXPECT_EQ(FailureText([&] { bm->DecodeBarCode("P10001", nullptr, inv); }), "参数rule不能为空");
}

TEST_P(BarCodeRegistrationTest, TheInventoryMustBeUsableAndAgreeWithMasterData) {
  conn->Execute("update Inventory set dEDate = '2003-06-01' where cInvCode = 'P002'");
  EXPECT_EQ(FailureText([&] { Add(Inv("P003")); }), "存货'P003'已经停用，不能用于生成条码");
  EXPECT_EQ(FailureText([&] { Add(Inv("P002")); }), "存货'P002'已经停用，不能用于生成条码");  // stops on the login date
  EXPECT_EQ(FailureText([&] { Add(Inv("H001")); }), "该存货不是条码管理存货");
  EXPECT_EQ(FailureText([&] { Add(Inv("ZZZ")); }), "找不到存货'ZZZ'");

  auto unit = Inv("P001");
  unit->setUnit(Variant("0201"));
  EXPECT_EQ(FailureText([&] { Add(unit); }), "计量单位'0201'不属于存货'P001'的计量单位组");
  auto position = Inv("P001");
  position->setInvPositionId(Variant("9999"));
  EXPECT_EQ(FailureText([&] { Add(position); }), "货位'9999'不存在");
  position->setInvPositionId(Variant("0101"));
  EXPECT_EQ(FailureText([&] { Add(position); }), "货位'0101'不是仓库''的货位");
  position->setWarehouseId(Variant("02"));
  EXPECT_EQ(FailureText([&] { Add(position); }), "货位'0101'不是仓库'02'的货位");
  auto warehouse = Inv("P001");
  warehouse->setWarehouseId(Variant("99"));
  EXPECT_EQ(FailureText([&] { Add(warehouse); }), "仓库'99'不存在");
  EXPECT_EQ(FailureText([&] { Add(Inv("P001"), "01"); }),
            "其它项的条码长度与条码规则中规定的长度不一致，要求长度为 4,实际长度为 2");
  EXPECT_EQ(RegistrySize(), 0);

  unit->setUnit(Variant("0102"));
  position->setInvPositionId(Variant("0201"));
  auto loose = Inv("P001");
  loose->setInvPositionId(Variant("9901"));  // a position of no warehouse, given without one
  auto stopsLater = Inv("F002");
  Add(unit, "0001");
  Add(position, "0002");
  Add(loose, "0003");
  Add(stopsLater, "0004");
  EXPECT_EQ(stopsLater->massDay(), Variant(180));  // the host's shelf life fills the caller's record
  EXPECT_EQ(RegistrySize(), 4);
}

TEST_P(BarCodeRegistrationTest, ShelfLifeDatesMustAgree) {
  auto inv = Inv("F001");
  inv->setMadeDate(Variant("2003-01-01"));
  inv->setDisableDate(Variant("2003-01-31"));
  inv->setMassDay(Variant(31));
  EXPECT_EQ(FailureText([&] { Add(inv); }), "失效日期必须等于生产日期加保质期天数.");
  inv->setMassDay(Variant());
  Add(inv, "0001");  // filled with the host's 30 days, then compared
  EXPECT_EQ(inv->massDay(), Variant(30));

  inv->setMadeDate(Variant("abc"));
  EXPECT_EQ(FailureText([&] { Add(inv, "0002"); }), "生产日期不是合法的日期值");
  inv->setMadeDate(Variant("2003-01-01"));
  inv->setDisableDate(Variant("2003-02-30"));
  EXPECT_EQ(FailureText([&] { Add(inv, "0002"); }), "失效日期不是合法的日期值");
  auto plain = Inv("P001");  // not shelf-life managed: its dates are not looked at here
  plain->setMadeDate(Variant("abc"));
  Add(plain, "0003");
}

TEST_P(BarCodeRegistrationTest, ChecksWithoutMessagesOfTheirOwnNowNameTheFault) {
  const auto barCode = BarCodeOf("OT", {"0001"});
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(nullptr, Inv("P001"), Assign("OT")); }),
            "参数barcode不能为空");
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(barCode, nullptr, Assign("OT")); }), "参数invInfo不能为空");
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(barCode, Inv("P001"), nullptr); }), "参数assign不能为空");

  // A segment that belongs to another rule item, or one segment too many.
  auto swapped = BarCodeOf("FO", {"P1", "0001"});
  swapped->items()->Item(1)->setRuleItem(swapped->items()->Item(2)->ruleItem());
  EXPECT_EQ(FailureText([&] { bm->CreateBarCode(Inv("P001"), swapped, Assign("FO")); }),
            "条形码的第1个条码项不属于条码规则的第1个规则项");
  auto longer = BarCodeOf("FO", {"P1", "0001"});
  longer->items()->Add(longer->CreateBarCodeItem(longer->items()->Item(2)->ruleItem()));
  EXPECT_EQ(FailureText([&] { bm->UpdateBarCode("x", Inv("P001"), longer, Assign("FO")); }), "条形码'x'不存在.");
  CreateFO("0009");
  EXPECT_EQ(FailureText([&] { bm->UpdateBarCode("P10009", Inv("P001"), longer, Assign("FO")); }),
            "条形码的条码项数与条码规则的规则项数不一致");

  // A property a segment carries must have a value: a Null batch passes the batch segment's check.
  StoreRule("BT", {{ISTBatch, 4}});
  auto noBatch = Inv("P001");
  noBatch->setBatchNo(Variant(Variant::Null));
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(BarCodeOf("BT", {"B001"}), noBatch, Assign("BT")); }),
            "条码项'批号'对应的存货属性cBatch没有值，不能登记条码");
  EXPECT_EQ(RegistrySize(), 1);
}

TEST_P(BarCodeRegistrationTest, ValuesWithQuotesAreStoredAsThemselves) {
  StoreRule("BT", {{ISTBatch, 4}});
  auto inv = Inv("P001");
  inv->setBatchNo(Variant("B'01"));
  bm->AddInventoryBarCodeSet(BarCodeOf("BT", {"B'01"}), inv, Assign("BT", "A'1"));
  EXPECT_EQ(Stored("select cBatch from InventoryBarCodeSet where cBarCode = ?", {Variant("B'01")}), Variant("B'01"));
  EXPECT_EQ(bm->LoadInventoryBarCodeSet("B'01")->assignId(), "A'1");
  CreateFO("O'K'");
  EXPECT_EQ(Registered("P1O'K'"), 1);
  bm->VerifyBarCodeSet("P1O'K'", Inv("P001"));
}

TEST_P(BarCodeRegistrationTest, ABarCodeIsRegisteredOnceWhoeverCanSeeIt) {
  CreateFO("0001", "S001");  // S001 is outside the data rights of "limited"
  EXPECT_EQ(FailureText([&] { CreateFO("0001"); }), "该条形码已经存在，条形码不能重复");
  RestartAs("limited");
  EXPECT_EQ(FailureText([&] { CreateFO("0001"); }), "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(FailureText([&] {
              bm->AddInventoryBarCodeSet(BarCodeOf("FO", {"P1", "0001"}), Inv("P001"), Assign("FO"));
            }),
            "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(Stored("select cInvCode from InventoryBarCodeSet"), Variant("S001"));
  EXPECT_EQ(RegistrySize(), 1);
}

TEST_P(BarCodeRegistrationTest, SequenceNumbersAreDrawnOnlyForTheShownNumber) {
  StoreRule("SQ", {{ISTFixed, 1, "S"}, {ISTSequence, 4, "0041"}});
  auto rule = sys.GetRuleManager()->LoadRule("SQ");
  auto shown = bm->EncodeBarCode(Inv("P001"), rule);
  EXPECT_EQ(bm->CreateBarCode(Inv("P001"), shown, Assign("SQ"))->barCode(), "S0041");
  EXPECT_EQ(StoredSequence("SQ"), "0042");

  auto edited = bm->EncodeBarCode(Inv("P001"), rule);
  edited->items()->Item(2)->setValue("0100");
  EXPECT_EQ(bm->CreateBarCode(Inv("P001"), edited, Assign("SQ"))->barCode(), "S0100");
  EXPECT_EQ(StoredSequence("SQ"), "0042");

  // A number drawn for a barcode that then proves a duplicate is given back with the failure.
  bm->AddInventoryBarCodeSet(BarCodeOf("SQ", {"S", "0042"}), Inv("P001"), Assign("SQ"));
  auto duplicate = bm->EncodeBarCode(Inv("P001"), rule);
  EXPECT_EQ(FailureText([&] { bm->CreateBarCode(Inv("P001"), duplicate, Assign("SQ")); }),
            "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(StoredSequence("SQ"), "0042");
}

TEST_P(BarCodeRegistrationTest, RegistrationNeedsTheRightAndTheAssignmentsRule) {
  EXPECT_EQ(FailureText([&] {
              bm->CreateBarCode(Inv("P001"), BarCodeOf("FO", {"P1", "0001"}), Assign("OT"));
            }),
            "规则分配对应的条码规则和生成条码的条码规则不一致");
  RestartAs("clerk");
  const auto barCode = BarCodeOf("FO", {"P1", "0001"});
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(barCode, Inv("P001"), Assign("OT")); }),
            "规则分配对应的条码规则和生成条码的条码规则不一致");  // before the rights call
  EXPECT_EQ(FailureText([&] { bm->AddInventoryBarCodeSet(barCode, Inv("P001"), Assign("FO")); }),
            "您没有增加条码的权限.");
  EXPECT_EQ(FailureText([&] { bm->CreateBarCode(Inv("P001"), barCode, Assign("FO")); }), "您没有生成条码的权限.");
  EXPECT_EQ(FailureText([&] { bm->UpdateBarCode("P10001", Inv("P001"), barCode, Assign("FO")); }),
            "您没有修改条码的权限.");
  EXPECT_EQ(RegistrySize(), 0);
}

TEST_P(BarCodeRegistrationTest, UpdateReplacesTheRowOrChangesNothing) {
  CreateFO("0001");
  EXPECT_EQ(UpdateFO("P10001", "0001")->barCode(), "P10001");  // to the same text
  EXPECT_EQ(Registered("P10001"), 1);
  UpdateFO("P10001", "0002");
  EXPECT_EQ(Registered("P10001"), 0);
  EXPECT_EQ(Registered("P10002"), 1);
  EXPECT_EQ(FailureText([&] { UpdateFO("P10001", "0003"); }), "条形码'P10001'不存在.");

  MarkUsed("P10002");  // the removal is refused
  EXPECT_EQ(FailureText([&] { UpdateFO("P10002", "0003"); }), "条码'P10002'已经被使用，不能删除.");
  conn->Execute("delete from BarCodeUsage");
  CreateFO("0004");  // the insert is refused after the removal
  EXPECT_EQ(FailureText([&] { UpdateFO("P10002", "0004"); }), "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(Registered("P10002"), 1);
  EXPECT_EQ(Registered("P10003"), 0);
  EXPECT_FALSE(conn->InTransaction());
  UpdateFO("P10002", "0005");  // the connection is fit for the next transaction
  EXPECT_EQ(Registered("P10005"), 1);
}

TEST_P(BarCodeRegistrationTest, UpdateKeepsTheOldRowWhenTheConnectionIsLostDuringTheInsert) {
  CreateFO("0001");
  if (backend() == Backend::Postgres) {
    conn->ExecuteScript(
        "create function qs_lose_connection() returns trigger as $$ begin"
        " perform pg_terminate_backend(pg_backend_pid()); return new; end; $$ language plpgsql;"
        "create trigger qs_lose_connection before insert on InventoryBarCodeSet"
        " for each row execute function qs_lose_connection();");
  } else {
    conn->ExecuteScript(
        "create trigger qs_lose_connection before insert on InventoryBarCodeSet"
        " begin select raise(abort, 'disk I/O error'); end;");
  }
  FailureText([&] { UpdateFO("P10001", "0002"); });
  if (backend() == Backend::Postgres) {
    EXPECT_ANY_THROW(conn->Execute("select 1"));  // it really is gone
  }
  EXPECT_EQ(Registered("P10001"), 1);
  EXPECT_EQ(Registered("P10002"), 0);
}

QS_INSTANTIATE_BACKENDS(BarCodeRegistrationTest);

}  // namespace
