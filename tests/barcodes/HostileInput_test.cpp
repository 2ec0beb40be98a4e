// Hostile input through the library on both backends: list filters that try to leave their
// condition, text one backend would cut or refuse differently, values a segment cannot carry, and
// rules that cannot make a valid barcode. Each is refused with the library's message (or returns
// nothing), and a refused call leaves the database as it was.
#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/platform/ClientRecordset.h"
#include "quillstone/sources/clsItemSource.h"
#include "rules/RuleTestSupport.h"
#include "sources/SegmentFrame.h"

using namespace quillstone;
using quillstone::test::CaughtError;
using quillstone::test::FailureText;
using quillstone::test::MakeRule;
using quillstone::test::SegmentDef;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class HostileInputTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    InsertRow("V1", "P001", {{"cBatch", Variant("B1")}});  // iid 1: "limited" sees it
    InsertRow("H1", "S001", {{"cBatch", Variant("B1")}});  // iid 4: only admin sees it
    StoreRule("BT", {{ISTFixed, 2, "P1"}, {ISTBatch, 6}});
  }
  std::vector<std::string> Listed(const std::string& filter, const std::vector<Variant>& params = {}) {
    std::vector<std::string> codes;
    auto list = bm->ListInventoryBarCodeSets(filter, params);
    for (const auto& set : *list) codes.push_back(set->barCode());
    std::sort(codes.begin(), codes.end());
    return codes;
  }
  void InsertRuleAssign() {
    conn->Execute("insert into RuleAssign(assignId,assignType,invId,classId,ruleId) values('A1',1,'P001',null,'BT')");
  }
  int64_t Count(const std::string& table) { return Stored("select count(*) from " + table).toInt64(); }
  std::string RegisterBatch(const std::string& batch) {
    auto inv = Inv("P001");
    inv->setBatchNo(Variant(batch));
    return FailureText([&] { bm->CreateBarCode(inv, BarCodeOf("BT", {"P1", batch}), Assign("BT")); });
  }
};

TEST_P(HostileInputTest, FilterBreakoutsAreRefusedBeforeAnySqlRuns) {
  RestartAs("blind");
  for (const std::string filter :
       {"1=1) or (1=1", "0) union select cUserId,cUserName,null from HostUser --",
        "exists (select 1 from HostUser where bAdmin=1)", "1=1; delete from InventoryBarCodeSet", "1=1 /*",
        "pg_sleep(5) is null", "cBarCode = E'\\'' or 1=1 or cBarCode = ''"}) {
    EXPECT_TRUE(Has(FailureText([&] { bm->ListInventoryBarCodeSets(filter); }), "过滤条件")) << filter;
    EXPECT_TRUE(Has(FailureText([&] { bm->ListInventoryBarCodeSetRS(filter); }, "Error"), "获取条形码列表错误,"));
    EXPECT_TRUE(Has(FailureText([&] { sys.GetRuleManager()->ListRules(filter); }, "Error"), "过滤条件"));
    EXPECT_TRUE(Has(FailureText([&] { sys.GetRuleManager()->ListAssigns(filter); }, "Error"), "过滤条件"));
  }
  EXPECT_EQ(Count("InventoryBarCodeSet"), 2);
}

TEST_P(HostileInputTest, AcceptedFiltersOnlyNarrowTheDataRights) {
  RestartAs("blind");
  EXPECT_TRUE(Listed("1=1 or 1=1").empty());
  EXPECT_TRUE(Listed("cBatch = 'B1' or not (cBatch = 'B1')").empty());
  RestartAs("limited");
  EXPECT_EQ(Listed("1=1 or InventoryBarCodeSet.cBarCode = 'H1'"), (std::vector<std::string>{"V1"}));
  EXPECT_EQ(bm->ListInventoryBarCodeSetRS("cBatch = ? or 1=1", {Variant("x")})->RecordCount(), 1);
}

TEST_P(HostileInputTest, PlainConditionsAndBoundValuesKeepWorking) {
  // A name both tables have means the registry's column.
  EXPECT_EQ(Listed("cInvCode='S001'"), (std::vector<std::string>{"H1"}));
  EXPECT_EQ(Listed("cBarCode = 'V1' or Inventory.cInvCode = 'S001'"), (std::vector<std::string>{"H1", "V1"}));
  // Quotes and SQL in a bound value are data.
  InsertRow("Q1", "P001", {{"cBatch", Variant("x' or '1'='1")}});
  EXPECT_EQ(Listed("cBatch = ?", {Variant("x' or '1'='1")}), (std::vector<std::string>{"Q1"}));
  EXPECT_TRUE(Listed("cBatch = ? and cInvCode = ?", {Variant("B1"), Variant("nobody")}).empty());
  EXPECT_EQ(sys.GetRuleManager()->ListRules("ruleId = ?", {Variant("BT")})->Count(), 1);
  EXPECT_EQ(sys.GetRuleManager()->ListRules("length > 7 and \"length\" < 9")->Count(), 1);
  InsertRuleAssign();
  EXPECT_EQ(sys.GetRuleManager()->ListAssigns("ruleId = 'BT'")->Count(), 1);  // the assignment's ruleId
}

TEST_P(HostileInputTest, TextWithNulByteIsRefusedAlikeOnBothBackends) {
  InsertRow("PH10000100003", "P001");
  const std::string withNul("PH10000100003\0junk", 18);
  EXPECT_TRUE(Has(FailureText([&] { bm->AbandonBarCode(withNul); }), "NUL"));
  EXPECT_TRUE(Has(FailureText([&] { bm->RemoveBarCode(withNul); }), "NUL"));
  EXPECT_TRUE(Has(FailureText([&] { bm->LoadInventoryBarCodeSet(withNul); }), "NUL"));
  EXPECT_TRUE(Stored("select bAbandon from InventoryBarCodeSet where cBarCode = 'PH10000100003'").isNull());

  EXPECT_TRUE(Has(RegisterBatch(std::string("LO\0T01", 6)), "批号"));
  auto rule = MakeRule(std::string("R\0X", 3), "名称", 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
  EXPECT_TRUE(Has(FailureText([&] { sys.GetRuleManager()->CreateRule(rule); }), "规则编码"));
  auto assign = std::make_shared<clsInventoryAssign>();
  assign->setInventoryId(std::string("P001\0X", 6));
  assign->setRuleId("BT");
  std::shared_ptr<clsRuleAssign> created = assign;
  EXPECT_TRUE(Has(FailureText([&] { sys.GetRuleManager()->CreateAssign(created); }), "存货编码"));
  EXPECT_EQ(Count("InventoryBarCodeSet"), 3);
  EXPECT_EQ(Count("BarCodeRule"), 1);
  EXPECT_EQ(Count("RuleAssign"), 0);
}

TEST_P(HostileInputTest, TextTheCodePageCannotHoldNeverBecomesABarcode) {
  for (const std::string batch : {"😀abcde", "ab\xe0\xb8\x81\xe0\xb8\x82",
                                  "ab\xff\xfe"
                                  "cd"}) {
    const std::string message = RegisterBatch(batch);
    EXPECT_TRUE(Has(message, "批号")) << message;
  }
  auto fixed = MakeRule("FX", "固定值", 8, {{ISTInventory, 6}, {ISTFixed, 2, "😀A"}});
  EXPECT_TRUE(Has(FailureText([&] { sys.GetRuleManager()->CreateRule(fixed); }), "相关值"));
  EXPECT_EQ(Count("InventoryBarCodeSet"), 2);
  EXPECT_EQ(Count("BarCodeRule"), 1);
  // Chinese text is of the code page: a batch of Chinese characters registers.
  auto inv = Inv("P001");
  inv->setBatchNo(Variant("批次01"));
  EXPECT_NE(bm->CreateBarCode(inv, BarCodeOf("BT", {"P1", "批次01"}), Assign("BT")), nullptr);
}

TEST_P(HostileInputTest, TextLongerThanItsColumnGetsTheLibrarysMessage) {
  auto rm = sys.GetRuleManager();
  const std::string huge(1 << 20, 'x');
  auto longCode = MakeRule(std::string(61, 'R'), "名称", 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
  auto longName = MakeRule("LN", huge, 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
  auto longText = MakeRule("LD", "名称", 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
  longText->setDescription(huge);
  for (const auto& rule : {longCode, longName, longText}) {
    const std::string message = FailureText([&] { rm->CreateRule(rule); });
    EXPECT_TRUE(Has(message, "超过了最大长度")) << message.substr(0, 300);
    EXPECT_LT(message.size(), 1000u);  // the value is echoed shortened
  }
  EXPECT_EQ(Count("BarCodeRule"), 1);
}

TEST_P(HostileInputTest, RulesThatCannotMakeAValidBarcodeAreRefusedWhenSaved) {
  auto rm = sys.GetRuleManager();
  auto unknown = MakeRule("U1", "未知", 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
  unknown->setBarCodeType("NoSuchType");
  EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(unknown); }), "NoSuchType"));
  auto letters = MakeRule("E1", "字母", 5, {{ISTFixed, 5, "ABCDE"}});
  letters->setBarCodeType("EAN-13");
  EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(letters); }), "EAN-13"));
  auto shortEan = MakeRule("E2", "短", 5, {{ISTFixed, 5, "12345"}});
  shortEan->setBarCodeType("2");  // by typeId
  EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(shortEan); }), "12或13"));
  for (const std::string start : {"abc", "1e3", "0.5"}) {
    auto seq = MakeRule("S1", "流水", 3, {{ISTSequence, 3, start}});
    EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(seq); }), "流水项的起始值")) << start;
  }
  EXPECT_EQ(Count("BarCodeRule"), 1);

  // A code with a line break or an escape would forge lines wherever it is listed.
  for (const std::string code : {"R\nX", "R\tX", "R\x1b[2J"}) {
    auto rule = MakeRule(code, "控制", 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
    EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(rule); }), "控制字符"));
  }
  // A batch or free item longer than its registry column could never be registered.
  auto longBatch = MakeRule("LB", "长批号", 67, {{ISTInventory, 6}, {ISTBatch, 61}});
  EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(longBatch); }), "第2个规则项(批号)的长度为61，超过了条码登记表中该列的最大长度60"));
  auto longFree = MakeRule("LF", "长自由项", 127, {{ISTInventory, 6}, {ISTFree3, 121}});
  EXPECT_TRUE(Has(FailureText([&] { rm->CreateRule(longFree); }), "自由项"));
  EXPECT_EQ(Count("BarCodeRule"), 1);

  auto ean = MakeRule("E3", "条码", 12, {{ISTFixed, 2, "69"}, {ISTInventory, 6}, {ISTSequence, 4, "0001"}});
  ean->setBarCodeType("ean 13");  // the catalogue's name, written another way
  rm->CreateRule(ean);
  EXPECT_NE(rm->LoadRule("E3"), nullptr);
}

TEST_P(HostileInputTest, AnEan13BarcodeIsDigitsOnly) {
  conn->Execute(
      "insert into BarCodeRule(ruleId,ruleName,length,barcodeType,description) values('EB','e',8,'EAN-13','')");
  conn->Execute(
      "insert into BarCodeRuleItem(ruleId,\"index\",length,itemSourceType,relevantValue) "
      "values('EB',1,2,11,'69'),('EB',2,6,5,'')");
  auto inv = Inv("P001");
  inv->setBatchNo(Variant("AB12CD"));
  EXPECT_TRUE(Has(FailureText([&] {
                    bm->CreateBarCode(inv, BarCodeOf("EB", {"69", "AB12CD"}), Assign("EB"));
                  }),
                  "EAN-13"));
}

TEST_P(HostileInputTest, UnitCostsTheSegmentCannotCarryAreRefusedNotCut) {
  auto source = Source(ISTUnitCost);
  for (const double cost : {10000.0, 1e23, 12345678.0, 0.005, -5.0, 12.345}) {
    auto f = test::MakeSegmentFrame(ISTUnitCost, 6, "2");
    f.info->setUnitCost(Variant(cost));
    const std::string message = FailureText([&] { source->Encode(f.info, f.item, f.segment); }, "Error");
    EXPECT_TRUE(Has(message, "单价")) << cost;
  }
  auto wide = test::MakeSegmentFrame(ISTUnitCost, 20, "0", 20);
  wide.info->setUnitCost(Variant(12345678901234567.0));  // would be written 12345678901234600
  EXPECT_TRUE(Has(FailureText([&] { source->Encode(wide.info, wide.item, wide.segment); }, "Error"), "15位"));
  for (const auto& [cost, segment] : std::vector<std::pair<double, std::string>>{{0, "000000"}, {9999.99, "999999"}}) {
    auto f = test::MakeSegmentFrame(ISTUnitCost, 6, "2");
    f.info->setUnitCost(Variant(cost));
    source->Encode(f.info, f.item, f.segment);
    EXPECT_EQ(f.segment->value(), segment);
  }
}

TEST_P(HostileInputTest, TwoDigitYearsOutsideThisCenturyAreRefused) {
  auto made = Source(ISTMadeDate);
  for (const std::string day : {"1999-12-01", "2100-01-01"}) {
    auto f = test::MakeSegmentFrame(ISTMadeDate, 6, "yymmdd");
    f.info->setMadeDate(Variant(day));
    EXPECT_TRUE(Has(FailureText([&] { made->Encode(f.info, f.item, f.segment); }, "Error"), "2000到2099")) << day;
  }
  auto f = test::MakeSegmentFrame(ISTMadeDate, 8, "yyyymmdd");
  f.info->setMadeDate(Variant("1999-12-01"));
  made->Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "19991201");
  auto edge = test::MakeSegmentFrame(ISTMadeDate, 4, "yymm");
  edge.info->setMadeDate(Variant("2099-12-31"));
  made->Encode(edge.info, edge.item, edge.segment);
  EXPECT_EQ(edge.segment->value(), "9912");
}

QS_INSTANTIATE_BACKENDS(HostileInputTest);

}  // namespace
