// The scanning service through the library alone, on both backends: a scan is one of the
// registry's barcodes in whatever form it was read, a maker's label received by its GTIN, or a
// code unknown here; verification against a document speaks the library's messages; the user's
// data rights hold for all three; pictures answer symbol by symbol.
#include <fstream>
#include <sstream>

#include "barcodes/BarCodeTestSupport.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/scanning/clsScanService.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

using Kind = clsScanService::Kind;

const std::string kGs(1, '\x1d');
const std::string kGtin14 = "09506000134352";
// The first barcode G1 registers, in each form a scanner gives and in another field order.
const std::string kHri = "(01)" + kGtin14 + "(10)B12(17)261231(21)000041";
const std::string kForms[] = {
    kHri,
    "]d2" "01" + kGtin14 + "17261231" "10B12" + kGs + "21000041",
    "https://id.gs1.org/01/" + kGtin14 + "/10/B12/21/000041?17=261231",
    "(01)" + kGtin14 + "(21)000041(17)261231(10)B12",
};

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class ScanServiceTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    StoreGs1YogurtRule();
    // Plain barcodes of rule R0, which the rows the tests insert name: the item's own barcode
    // (P001 100001, P002 100002, S001 200001), then the batch.
    StoreRule("R0", {{ISTInventory, 6}, {ISTBatch, 4}});
    RestartAs("admin", "2026-12-08");
  }
  void Started() override {
    BarCodeTest::Started();
    scans = std::make_unique<clsScanService>(context());
  }
  void RegisterYogurt() {
    auto inv = Inv("F001");
    inv->setBatchNo(Variant("B12"));
    inv->setDisableDate(Variant("2026-12-31"));
    bm->CreateBarCode(inv, bm->EncodeBarCode(inv, sys.GetRuleManager()->LoadRule("G1")), Assign("G1"));
  }
  static std::shared_ptr<clsInventoryInfo> Document(const std::string& item, const std::string& batch = "") {
    auto inv = Inv(item);
    if (!batch.empty()) inv->setBatchNo(Variant(batch));
    return inv;
  }
  std::string Refusal(const clsScanService::Answer& answer, const clsInventoryInfo& document) {
    return FailureText([&] { scans->Verify(answer, document); }, "Assert");
  }

  std::unique_ptr<clsScanService> scans;
};

TEST_P(ScanServiceTest, ARegisteredGs1BarcodeIsFoundFromEveryFormAndFieldOrder) {
  RegisterYogurt();
  for (const auto& form : kForms) {
    const auto answer = scans->Identify(form);
    ASSERT_EQ(answer.kind, Kind::Registered) << form;
    EXPECT_EQ(answer.barCode, kHri) << form;
    EXPECT_EQ(answer.scanned, form);
    EXPECT_EQ(answer.rule->ruleId(), "G1");
    EXPECT_EQ(answer.record->invInfo()->inventoryId(), "F001");
    EXPECT_EQ(answer.invInfo->inventoryId(), "F001") << form;
    EXPECT_EQ(answer.invInfo->batchNo().toString(), "B12");
    EXPECT_EQ(answer.gs1->size(), 4);
    EXPECT_TRUE(answer.warnings().empty());
  }
  // Fields parsed already give the same answer.
  const auto parsed = scans->Identify(Gs1ElementString::Parse(kForms[3]));
  EXPECT_EQ(parsed.kind, Kind::Registered);
  EXPECT_EQ(parsed.barCode, kHri);
  scans->Verify(parsed, *Document("", "B12"));
}

TEST_P(ScanServiceTest, PlainCodesAreRegisteredOrUnknownAndARuleDecodesTheUnknown) {
  InsertRow("100001LOT1", "P001", {{"cBatch", Variant("LOT1")}});
  const auto registered = scans->Identify("100001LOT1");
  ASSERT_EQ(registered.kind, Kind::Registered);
  EXPECT_EQ(registered.invInfo->inventoryId(), "P001");
  EXPECT_EQ(registered.invInfo->batchNo().toString(), "LOT1");
  EXPECT_EQ(registered.gs1, nullptr);

  const auto unknown = scans->Identify("100002LOT2");
  EXPECT_EQ(unknown.kind, Kind::Unknown);
  EXPECT_EQ(unknown.invInfo, nullptr);
  EXPECT_EQ(unknown.rule, nullptr);
  EXPECT_EQ(Refusal(unknown, *Document("P002")), "条码'100002LOT2'不存在，或者对条码没有权限");

  const auto decoded = scans->Identify("100002LOT2", "R0");
  EXPECT_EQ(decoded.kind, Kind::Unknown);
  EXPECT_EQ(decoded.invInfo->inventoryId(), "P002");
  EXPECT_EQ(decoded.invInfo->batchNo().toString(), "LOT2");
  // Only the registry can vouch for a code: decoding one is no verification.
  EXPECT_EQ(Refusal(decoded, *Document("P002")), "条码'100002LOT2'不存在，或者对条码没有权限");
  EXPECT_EQ(FailureText([&] { scans->Identify("100002LOT2", "NOPE"); }, "Error"), "条码规则'NOPE'不存在");
}

TEST_P(ScanServiceTest, GS1DataNoBarcodeMatchesIsAMakersLabelWithItsWarnings) {
  RegisterYogurt();
  // The same item and fields but another serial: not ours, so received by the GTIN.
  const auto label = scans->Identify("(01)" + kGtin14 + "(10)LOT7(17)241215(21)S1");
  ASSERT_EQ(label.kind, Kind::SupplierLabel);
  EXPECT_EQ(label.record, nullptr);
  EXPECT_EQ(label.invInfo->inventoryId(), "F001");
  EXPECT_EQ(label.invInfo->batchNo().toString(), "LOT7");
  ASSERT_EQ(label.warnings().size(), 1u);
  EXPECT_EQ(label.warnings()[0].kind, "expired");
  ASSERT_NE(label.receipt, nullptr);
  EXPECT_EQ(label.receipt->elements.ToHri(), label.barCode);
  // Raw data with no identifier is GS1 only when the caller says so.
  EXPECT_EQ(scans->Identify("01" + kGtin14 + "10LOT7", "", true).kind, Kind::SupplierLabel);
  EXPECT_EQ(scans->Identify("01" + kGtin14 + "10LOT7").kind, Kind::Unknown);
  // A GTIN no item carries is the receiver's refusal, and malformed GS1 data the parser's.
  EXPECT_NE(FailureText([&] { scans->Identify("(01)00000000000017(10)X"); }, "Error"), "");
  EXPECT_NE(FailureText([&] { scans->Identify("(01)09506000134353"); }, "Error"), "");
}

TEST_P(ScanServiceTest, TwoItemsWithOneGtinAreOneAnswerForDecodingAndReceiving) {
  RegisterYogurt();
  conn->Execute("update Inventory set cBarCode = ? where cInvCode = 'F002'", {Variant(kGtin14)});
  const std::string ambiguous = "存货'F001'和'F002'的条码都是GTIN'" + kGtin14 + "'，无法确定是哪个存货";
  // The registered barcode no longer decodes to whichever item stores the longer form (decoding
  // reports through its own closing step, as an assertion) ...
  EXPECT_EQ(FailureText([&] { scans->Identify(kHri); }), ambiguous);
  // ... and a maker's label of the same GTIN is refused in the same words.
  EXPECT_EQ(FailureText([&] { scans->Identify("(01)" + kGtin14 + "(10)LOT7"); }, "Error"), ambiguous);
}

TEST_P(ScanServiceTest, VerificationSpeaksTheLibrarysMessagesForEveryKind) {
  RegisterYogurt();
  const auto registered = scans->Identify(kForms[1]);
  scans->Verify(registered, *Document("", "B12"));
  scans->Verify(registered, *Document("F001"));
  EXPECT_EQ(Refusal(registered, *Document("F001", "B13")),
            "条码信息与当前批号不一致，条码信息中的批号为'B12',当前批号为'B13'");
  EXPECT_EQ(Refusal(registered, *Document("P001")),
            "条码信息与当前存货编码不一致，条码信息中的存货编码为'F001',当前存货编码为'P001'");

  const auto label = scans->Identify("(01)" + kGtin14 + "(10)LOT7(17)271231");
  scans->Verify(label, *Document("", "LOT7"));
  EXPECT_EQ(Refusal(label, *Document("", "LOT8")),
            "条码信息与当前批号不一致，条码信息中的批号为'LOT7',当前批号为'LOT8'");
  auto otherDay = Document("F001");
  otherDay->setDisableDate(Variant("2027-12-30"));
  EXPECT_EQ(Refusal(label, *otherDay),
            "条码信息与当前失效日期不一致，条码信息中的失效日期为'2027-12-31',当前失效日期为'2027-12-30'");

  bm->AbandonBarCode(kHri);
  EXPECT_EQ(Refusal(scans->Identify(kHri), *Document("F001")), "条码'" + kHri + "'已被封存，不能使用");
}

TEST_P(ScanServiceTest, AUserOutsideTheItemsRightsLearnsNothingOfIt) {
  RegisterYogurt();
  InsertRow("200001LOT1", "S001");
  RestartAs("limited", "2026-12-08");  // sees P001 and P002 only
  EXPECT_EQ(scans->Identify("200001LOT1").kind, Kind::Unknown);
  // Neither the registered GS1 barcode nor the maker's label of F001 is received.
  EXPECT_NE(FailureText([&] { scans->Identify(kHri); }, "Error"), "");
  // Decoding by a named rule reads the item from the text itself; the user still may not see it.
  EXPECT_EQ(FailureText([&] { scans->Identify("200001LOT9", "R0"); }, "Error"),
            "存货'S001'不存在，或者不在您的数据权限之内");
  EXPECT_EQ(scans->Identify("100001LOT9", "R0").invInfo->inventoryId(), "P001");
}

TEST_P(ScanServiceTest, APictureAnswersSymbolBySymbol) {
  // A photographed maker's label of F001's GTIN.
  const auto photo = FileBytes(std::string(QS_SOURCE_DIR) + "/tests/data/photos/gs1-datamatrix-small-in-photo.jpg");
  const auto answers = scans->IdentifyPicture(photo, "photo.jpg");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].kind, Kind::SupplierLabel);
  EXPECT_EQ(answers[0].symbology, "GS1 DataMatrix");
  EXPECT_EQ(answers[0].symbologyIdentifier, "]d2");
  EXPECT_EQ(answers[0].barCode, "(01)" + kGtin14 + "(10)SUP2024A(17)271231(21)C0002");
  EXPECT_EQ(answers[0].invInfo->inventoryId(), "F001");
  // Two plain symbols nobody registered: each answered, neither fails the other.
  const auto pair = scans->IdentifyPictureFile(std::string(QS_SOURCE_DIR) + "/tests/data/scan-samples/pylibdmtx-datamatrix.png");
  ASSERT_EQ(pair.size(), 2u);
  EXPECT_EQ(pair[0].kind, Kind::Unknown);
  EXPECT_EQ(pair[1].scanned, "Plesiosaurus");
  // A failure of one symbol is its answer's; a file that is no picture raises.
  const auto failed = scans->IdentifyPicture(photo, "photo.jpg", "NOPE");
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].error, "");  // a maker's label takes no rule
  const auto plain = scans->IdentifyPictureFile(std::string(QS_SOURCE_DIR) + "/tests/data/scan-samples/gd-Code39.png", "NOPE");
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].error, "条码规则'NOPE'不存在");
  EXPECT_NE(FailureText([&] { scans->IdentifyPicture("not a picture", "x.png"); }, "Error"), "");
}

}  // namespace

QS_INSTANTIATE_BACKENDS(ScanServiceTest);
