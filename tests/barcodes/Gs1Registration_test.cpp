// Barcodes of GS1 rules: encoded as element strings, kept in the registry in one form, decoded,
// verified and maintained from whichever form a scanner gives.
#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/modFunctionDefine.h"

using namespace quillstone;
using quillstone::test::FailureText;
using quillstone::test::SegmentDef;

namespace {

const std::string kGs(1, '\x1d');
// F001 keeps its GTIN-13; the field carries it as a GTIN-14.
const std::string kGtin14 = "09506000134352";

class Gs1RegistrationTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    StoreGs1YogurtRule();
  }

  static std::shared_ptr<clsInventoryInfo> Yogurt(const std::string& batch = "B12") {
    auto inv = Inv("F001");
    inv->setBatchNo(Variant(batch));
    inv->setDisableDate(Variant("2026-12-31"));
    return inv;
  }
  std::shared_ptr<clsBarCode> Encode(const std::string& ruleId, const std::shared_ptr<clsInventoryInfo>& inv) {
    return bm->EncodeBarCode(inv, sys.GetRuleManager()->LoadRule(ruleId));
  }
  std::shared_ptr<clsInventoryBarCodeSet> Register(const std::shared_ptr<clsInventoryInfo>& inv) {
    return bm->CreateBarCode(inv, Encode("G1", inv), Assign("G1"));
  }
  std::shared_ptr<clsInventoryInfo> Decode(const std::string& text, const std::string& ruleId = "G1") {
    std::shared_ptr<clsInventoryInfo> inv = std::make_shared<clsInventoryInfo>();
    bm->DecodeBarCode(text, sys.GetRuleManager()->LoadRule(ruleId), inv);
    return inv;
  }
};

// The three forms of the first barcode registered through G1.
const std::string kHri = "(01)" + kGtin14 + "(10)B12(17)261231(21)000041";
const std::string kRaw = "]d2" "01" + kGtin14 + "17261231" "10B12" + kGs + "21000041";
const std::string kLink = "https://id.gs1.org/01/" + kGtin14 + "/10/B12/21/000041?17=261231";

TEST_P(Gs1RegistrationTest, EncodingGivesTheElementStringInAiOrderWithoutPadding) {
  auto barCode = Encode("G1", Yogurt());
  EXPECT_EQ(barCode->barCode(), kHri);
  // The segments keep what their sources give; the GTIN is the item's barcode led by a zero.
  EXPECT_EQ(barCode->items()->Item(1)->value(), kGtin14);
  EXPECT_EQ(barCode->items()->Item(3)->value(), "B12");

  auto set = Register(Yogurt());
  EXPECT_EQ(set->barCode(), kHri);
  EXPECT_EQ(Registered(kHri), 1);
  EXPECT_EQ(Stored("select cBatch from InventoryBarCodeSet where cBarCode = ?", {Variant(kHri)}).toString(), "B12");
  // The next one draws the next serial.
  EXPECT_EQ(Register(Yogurt("B13"))->barCode(), "(01)" + kGtin14 + "(10)B13(17)261231(21)000042");
}

TEST_P(Gs1RegistrationTest, EachKindOfSourceFillsItsAi) {
  // Production and best-before dates, a fixed variant, a colour's code as serial and a caller's count.
  conn->Execute("update Inventory set bFree1 = 1 where cInvCode = 'F001'");
  StoreRule("G3",
            {{ISTInventory, 14, "", "01"},
             {ISTMadeDate, 6, "yymmdd", "11"},
             {ISTDisableDate, 6, "yymmdd", "15"},
             {ISTOther, 8, "", "30"},
             {ISTFixed, 2, "05", "20"},
             {ISTFree1, 4, "", "21"}},
            "GS1 QR Code");
  auto inv = Inv("F001");
  inv->setMadeDate(Variant("2026-12-01"));
  inv->setDisableDate(Variant("2026-12-31"));
  inv->setFree(1, Variant("黑色"));
  auto barCode = Encode("G3", inv);
  barCode->items()->Item(4)->setValue("24      ");
  const std::string hri = "(01)" + kGtin14 + "(11)261201(15)261231(20)05(21)01(30)24";
  EXPECT_EQ(bm->CreateBarCode(inv, barCode, Assign("G3"))->barCode(), hri);

  auto decoded = Decode("https://id.gs1.org/01/" + kGtin14 + "/21/01?11=261201&15=261231&20=05&30=24", "G3");
  EXPECT_EQ(decoded->inventoryId(), "F001");
  EXPECT_EQ(FormatIsoDate(decoded->madeDate().toDate()), "2026-12-01");
  EXPECT_EQ(FormatIsoDate(decoded->disableDate().toDate()), "2026-12-31");
  EXPECT_EQ(decoded->Free(1).toString(), "黑色");
  EXPECT_NO_THROW(bm->VerifyBarCodeSet("01" + kGtin14 + "1126120115261231200521" + "01" + kGs + "3024", inv));
}

TEST_P(Gs1RegistrationTest, ABarCodeIsFoundDecodedAndVerifiedFromEveryForm) {
  Register(Yogurt());
  for (const std::string& form : {kHri, kRaw, kLink}) {
    SCOPED_TRACE(form);
    auto found = bm->LoadInventoryBarCodeSet(form, true);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->barCode(), kHri);

    auto inv = Decode(form);
    EXPECT_EQ(inv->inventoryId(), "F001");
    EXPECT_EQ(inv->batchNo().toString(), "B12");
    EXPECT_EQ(FormatIsoDate(inv->disableDate().toDate()), "2026-12-31");

    EXPECT_NO_THROW(bm->VerifyBarCodeSet(form, Yogurt()));
    EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet(form, Yogurt("B99")); }),
              "条码信息与当前批号不一致，条码信息中的批号为'B12',当前批号为'B99'");
  }
}

TEST_P(Gs1RegistrationTest, BatchesHoldingParenthesesKeepOneMeaningInEveryForm) {
  // A batch that reads as "(21)..." or "(17)..." in HRI is escaped in the key and found, decoded
  // and verified from every form with its whole value.
  for (const std::string batch : {"AB(21)12", "AB(17)270331"}) {
    SCOPED_TRACE(batch);
    const std::string key = Register(Yogurt(batch))->barCode();
    std::string escaped = batch;
    escaped.insert(2, "\\");
    EXPECT_NE(key.find("(10)" + escaped + "(17)"), std::string::npos) << key;
    const std::string serial = key.substr(key.size() - 6);
    const std::string raw = "01" + kGtin14 + "17261231" "10" + batch + kGs + "21" + serial;
    const std::string link = Gs1ElementString::Parse(raw).ToDigitalLink();
    for (const std::string& form : {key, raw, link}) {
      auto found = bm->LoadInventoryBarCodeSet(form, true);
      ASSERT_NE(found, nullptr) << form;
      EXPECT_EQ(found->barCode(), key);
      EXPECT_EQ(Decode(form)->batchNo().toString(), batch) << form;
      EXPECT_NO_THROW(bm->VerifyBarCodeSet(form, Yogurt(batch))) << form;
    }
  }
  // A parenthesis that starts no AI is kept as before, so keys stored unescaped keep working.
  const std::string plain = Register(Yogurt("A(B)C"))->barCode();
  EXPECT_NE(plain.find("(10)A(B)C(17)"), std::string::npos) << plain;
  const std::string gs1Style = Gs1ElementString::Parse(plain).ToHri();
  EXPECT_NE(gs1Style.find("A\\(B)C"), std::string::npos) << gs1Style;
  ASSERT_NE(bm->LoadInventoryBarCodeSet(gs1Style, true), nullptr);
  EXPECT_EQ(bm->LoadInventoryBarCodeSet(gs1Style, true)->barCode(), plain);
}

TEST_P(Gs1RegistrationTest, AbandonReuseAndRemoveTakeAnyForm) {
  Register(Yogurt());
  bm->AbandonBarCode(kRaw);
  EXPECT_EQ(FailureText([&] { bm->VerifyBarCodeSet(kLink, Yogurt()); }),
            "条码'" + kLink + "'已被封存，不能使用");
  bm->ReuseBarCode(kLink);
  EXPECT_NO_THROW(bm->VerifyBarCodeSet(kHri, Yogurt()));
  EXPECT_FALSE(bm->IsInUse(kRaw));
  MarkUsed(kHri);
  EXPECT_TRUE(bm->IsInUse(kLink));
  conn->Execute("delete from BarCodeUsage");
  bm->RemoveBarCode(kRaw);
  EXPECT_EQ(Registered(kHri), 0);
}

TEST_P(Gs1RegistrationTest, ListsAndBulkRegistrationKeepTheRegistryForm) {
  auto list = bm->CreateBarCodes(Yogurt(), Encode("G1", Yogurt()), Assign("G1"), 3);
  ASSERT_EQ(list->Count(), 3);
  for (int i = 1; i <= 3; ++i) {
    const std::string expected = "(01)" + kGtin14 + "(10)B12(17)261231(21)00004" + std::to_string(i);
    EXPECT_EQ(list->Item(i)->barCode(), expected);
    EXPECT_EQ(Registered(expected), 1);
  }
  auto listed = bm->ListInventoryBarCodeSets("cRuleId = ?", {Variant("G1")});
  EXPECT_EQ(listed->Count(), 3);
  // The same element string cannot be registered twice, whatever order a rule lists its AIs in.
  StoreRule("G2",
            {{ISTInventory, 14, "", "01"},
             {ISTBatch, 20, "", "10"},
             {ISTDisableDate, 6, "yymmdd", "17"},
             {ISTOther, 6, "", "21"}},
            "GS1-128");
  auto again = Encode("G2", Yogurt());
  again->items()->Item(4)->setValue("000041");
  EXPECT_EQ(FailureText([&] { bm->CreateBarCode(Yogurt(), again, Assign("G2")); }),
            "该条形码已经存在，条形码不能重复");
}

TEST_P(Gs1RegistrationTest, TheGtinMustBeAValidGtinOfTheItem) {
  // P001's barcode 100001 is no GTIN.
  auto inv = Inv("P001");
  inv->setBatchNo(Variant("B1"));
  EXPECT_EQ(FailureText([&] { Encode("G1", inv); }),
            "存货'P001'的条码'100001'不是有效的GTIN(8、12、13或14位数字且校验位正确)，不能用于应用标识符(01)");
  // A GTIN-13 with a wrong check digit is no GTIN either.
  conn->Execute("update Inventory set cBarCode = '9506000134353' where cInvCode = 'F001'");
  EXPECT_NE(FailureText([&] { Encode("G1", Yogurt()); }).find("不是有效的GTIN"), std::string::npos);
  // A GTIN kept as 14 digits is found as well.
  conn->Execute("update Inventory set cBarCode = ? where cInvCode = 'F001'", {Variant(kGtin14)});
  Register(Yogurt());
  EXPECT_EQ(Decode(kRaw)->inventoryId(), "F001");
}

TEST_P(Gs1RegistrationTest, FieldsTheAiRefusesAreNotRegistered) {
  // A blank is outside GS1's character set, a Chinese batch too, and 21 characters is too long.
  EXPECT_NE(FailureText([&] { Register(Yogurt("B 12")); }).find("AI(10)"), std::string::npos);
  EXPECT_NE(FailureText([&] { Register(Yogurt("批号1")); }).find("AI(10)"), std::string::npos);
  EXPECT_NE(FailureText([&] { Register(Yogurt(std::string(21, 'A'))); }).find("AI(10)"), std::string::npos);
  EXPECT_EQ(Stored("select count(*) from InventoryBarCodeSet").toInt64(), 0);
  EXPECT_EQ(Stored("select relevantValue from BarCodeRuleItem where ruleId = 'G1' and ai = '21'").toString(),
            "000041");
}

TEST_P(Gs1RegistrationTest, DecodingRefusesTextsWithoutTheRulesAis) {
  EXPECT_EQ(FailureText([&] { Decode("(01)" + kGtin14 + "(10)B12(17)261231"); }),
            "条码'(01)" + kGtin14 + "(10)B12(17)261231'中没有条码规则'G1'的应用标识符(21)");
  EXPECT_EQ(FailureText([&] { Decode(kHri + "(30)5"); }),
            "条码'" + kHri + "(30)5'含有条码规则'G1'之外的应用标识符(30)");
  EXPECT_NE(FailureText([&] { Decode("(01)" + kGtin14 + "(17)261331"); }).find("AI(17)"), std::string::npos);
}

TEST_P(Gs1RegistrationTest, ARunningSsccGetsItsCheckDigit) {
  StoreRule("SS", {{ISTSequence, 17, "10614141000000001", "00"}}, "GS1-128");
  auto inv = Inv("F001");
  auto set = bm->CreateBarCode(inv, Encode("SS", inv), Assign("SS"));
  // The running number followed by its check digit.
  EXPECT_EQ(set->barCode(), "(00)106141410000000019");
  EXPECT_NO_THROW(Decode("00106141410000000019", "SS"));
  EXPECT_NE(FailureText([&] { Decode("(00)106141410000000012", "SS"); }).find("AI(00)"), std::string::npos);
  EXPECT_NE(bm->LoadInventoryBarCodeSet("]C100106141410000000019"), nullptr);
  EXPECT_EQ(Encode("SS", inv)->barCode(), "(00)106141410000000026");

  // A caller's SSCC given without its check digit gets it; given whole, it must be right.
  StoreRule("SC", {{ISTOther, 17, "", "00"}}, "GS1-128");
  StoreRule("SW", {{ISTOther, 18, "", "00"}}, "GS1-128");
  EXPECT_EQ(bm->CreateBarCode(inv, BarCodeOf("SC", {"10614141000000003"}), Assign("SC"))->barCode(),
            "(00)106141410000000033");
  EXPECT_EQ(bm->CreateBarCode(inv, BarCodeOf("SW", {"106141410000000040"}), Assign("SW"))->barCode(),
            "(00)106141410000000040");
  EXPECT_NE(FailureText([&] { bm->CreateBarCode(inv, BarCodeOf("SW", {"106141410000000041"}), Assign("SW")); })
                .find("AI(00)"),
            std::string::npos);
}

}  // namespace

QS_INSTANTIATE_BACKENDS(Gs1RegistrationTest);
