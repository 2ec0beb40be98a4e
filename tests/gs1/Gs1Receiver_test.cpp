// Receiving by a supplier's GS1 label on both backends: the item found by its GTIN in any of the
// four lengths master data keeps, the label's properties on the inventory info, data rights.
#include <gtest/gtest.h>

#include <string>

#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

class Gs1ReceiverTest : public SystemTest {
 protected:
  void SetItemBarCode(const std::string& item, const std::string& barCode) {
    conn->Execute("update Inventory set cBarCode = ? where cInvCode = ?", {Variant(barCode), Variant(item)});
  }
  clsGs1Receiver::Receipt Receive(const std::string& text) { return clsGs1Receiver(context()).Receive(text); }
  std::string Refusal(const std::string& text) {
    return FailureText([&] { Receive(text); }, "Error");
  }
};

TEST_P(Gs1ReceiverTest, LabelBecomesTheItemWithItsProperties) {
  SetItemBarCode("F001", "6291041500213");  // a GTIN-13 in master data
  const auto receipt = Receive(
      "]C10106291041500213"
      "11260100"
      "17260300"
      "10LOT-7\x1d"
      "21SN0042\x1d"
      "3102001250");
  const clsInventoryInfo& info = *receipt.invInfo;
  EXPECT_EQ(info.inventoryId(), "F001");
  EXPECT_EQ(info.inventoryName(), "原味酸奶");
  EXPECT_EQ(info.inventoryClassId(), "0301001");
  EXPECT_EQ(info.inventoryClassName(), "酸奶");
  EXPECT_EQ(info.batchNo().toString(), "LOT-7");
  // Day 00: the first of the month for a production date, the last for an expiry.
  EXPECT_EQ(info.madeDate().toString(), "2026-01-01");
  EXPECT_EQ(info.disableDate().toString(), "2026-03-31");
  // Every AI comes back, serial and weight included.
  EXPECT_EQ(receipt.elements.size(), 6);
  EXPECT_EQ(receipt.elements.Find("21"), std::optional<std::string_view>("SN0042"));
  EXPECT_EQ(receipt.elements.Find("3102"), std::optional<std::string_view>("001250"));
  EXPECT_EQ(receipt.elements.symbologyIdentifier(), "]C1");
}

TEST_P(Gs1ReceiverTest, GtinsOfEveryLengthAreOneNumber) {
  SetItemBarCode("P001", "96385074");        // GTIN-8
  SetItemBarCode("P002", "614141000036");    // GTIN-12
  SetItemBarCode("S001", "6291041500213");   // GTIN-13
  SetItemBarCode("F002", "10614141000415");  // GTIN-14
  EXPECT_EQ(Receive("(01)00000096385074").invInfo->inventoryId(), "P001");
  EXPECT_EQ(Receive("(01)00614141000036").invInfo->inventoryId(), "P002");
  EXPECT_EQ(Receive("https://id.example.cn/01/6291041500213").invInfo->inventoryId(), "S001");
  EXPECT_EQ(Receive("(01)10614141000415(15)261200").invInfo->inventoryId(), "F002");
  // Best-before stands in for a missing expiry.
  EXPECT_EQ(Receive("(01)10614141000415(15)261200").invInfo->disableDate().toString(), "2026-12-31");
  // The 14-digit form of a GTIN-13 with a packaging indicator is another GTIN: a packaging level.
  EXPECT_EQ(Refusal("(01)16291041500210"),
            "找不到条码为GTIN'16291041500210'的存货，或者没有对它的访问权限。指示符1表示它是某个存货的包装层级(箱、盒等)，"
            "请把它作为包装层级GTIN添加到存货上，并写明计量单位和所含基本单位数量");
}

TEST_P(Gs1ReceiverTest, ContentOfALogisticUnitNamesTheItemWhenNoGtinIs) {
  SetItemBarCode("F001", "6291041500213");
  const auto receipt = Receive("(00)376104250021234569(02)06291041500213(37)24");
  EXPECT_EQ(receipt.invInfo->inventoryId(), "F001");
  EXPECT_EQ(receipt.elements.Find("37"), std::optional<std::string_view>("24"));
  EXPECT_TRUE(receipt.invInfo->batchNo().isEmpty());
  EXPECT_EQ(Refusal("(00)376104250021234569(37)24"),
            "AI(37) COUNT需要同时有AI(00)和AI(02)，或AI(00)和AI(8026)，GS1数据中没有");
  EXPECT_EQ(Refusal("(00)376104250021234569(400)PO-1"), "GS1数据中没有AI(01) GTIN或AI(02) CONTENT，无法确定收到的存货");
}

TEST_P(Gs1ReceiverTest, UnknownOrAmbiguousGtinIsNamed) {
  EXPECT_EQ(Refusal("(01)09506000134352(10)A"), "找不到条码为GTIN'09506000134352'的存货，或者没有对它的访问权限");
  SetItemBarCode("F001", "6291041500213");
  SetItemBarCode("F002", "06291041500213");
  EXPECT_EQ(Refusal("(01)06291041500213"),
            "存货'F001'和'F002'的条码都是GTIN'06291041500213'，无法确定是哪个存货");
  // A faulty label is refused before any item is looked for.
  EXPECT_EQ(Refusal("(01)06291041500214"), "AI(01) GTIN的校验位错误：'06291041500214'的最后一位应为3");
}

TEST_P(Gs1ReceiverTest, DataRightsApply) {
  SetItemBarCode("P001", "6291041500213");
  SetItemBarCode("F001", "09506000134352");
  RestartAs("limited");  // sees P001 and P002 only
  EXPECT_EQ(Receive("(01)06291041500213").invInfo->inventoryId(), "P001");
  EXPECT_EQ(Refusal("(01)09506000134352"), "找不到条码为GTIN'09506000134352'的存货，或者没有对它的访问权限");
  RestartAs("blind");  // sees nothing
  EXPECT_EQ(Refusal("(01)06291041500213"), "找不到条码为GTIN'06291041500213'的存货，或者没有对它的访问权限");
}

TEST(Gs1Receiver, NeedsAStartedSystem) {
  clsGs1Receiver detached;
  EXPECT_FALSE(FailureText([&] { detached.Receive("(01)06291041500213"); }).empty());
}

QS_INSTANTIATE_BACKENDS(Gs1ReceiverTest);

}  // namespace
