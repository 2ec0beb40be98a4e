// Receiving what a clerk relies on, on both backends: counts and weights as numbers, warnings
// for expired goods, a passed best-before date and stopped items (and strict receiving that
// refuses them), cartons and pallets through the packaging levels, and the levels' upkeep.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/barcodes/clsTradeItemGtins.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

const std::string kUnit = "6291041500213";     // F001's GTIN-13 in master data
const std::string kCarton = "16291041500210";  // a case of 24 of them
const std::string kSscc = "376104250021234569";

class Gs1ReceivingTest : public SystemTest {
 protected:
  void SetUp() override {
    SystemTest::SetUp();
    if (HasFatalFailure()) return;
    conn->Execute("update Inventory set cBarCode = ? where cInvCode = 'F001'", {Variant(kUnit)});
    RestartAs("admin", "2026-12-08");
  }
  clsGs1Receiver::Receipt Receive(const std::string& text, bool strict = false) {
    clsGs1Receiver receiver(context());
    receiver.setBStrict(strict);
    return receiver.Receive(text);
  }
  std::string Refusal(const std::function<void()>& call) { return FailureText(call, "Error"); }
  // Upkeep of the levels ends in the library's closing step, which raises with source "Assert".
  std::string LevelRefusal(const std::function<void()>& call) { return FailureText(call, "Assert"); }
  clsTradeItemGtins Levels() { return clsTradeItemGtins(context()); }
};

TEST_P(Gs1ReceivingTest, CountsAndMeasuresComeBackAsNumbers) {
  const auto receipt = Receive("(01)0" + kUnit + "(17)271231(3103)001250(30)12(3922)1250");
  ASSERT_EQ(receipt.quantities.size(), 3u);
  EXPECT_EQ(receipt.quantities[0].Text(), "1.250 kg");
  EXPECT_DOUBLE_EQ(receipt.quantities[0].value(), 1.25);
  EXPECT_EQ(receipt.quantities[1].Text(), "12");
  EXPECT_EQ(receipt.quantities[2].number(), "12.50");
  EXPECT_TRUE(receipt.warnings.empty());
  EXPECT_FALSE(receipt.baseQuantity.has_value());
}

TEST_P(Gs1ReceivingTest, ExpiredGoodsAndPassedBestBeforeDatesWarn) {
  auto expired = Receive("(01)0" + kUnit + "(10)L1(17)241215");
  ASSERT_EQ(expired.warnings.size(), 1u);
  EXPECT_EQ(expired.warnings[0].kind, "expired");
  EXPECT_EQ(expired.warnings[0].message, "AI(17)的有效期2024-12-15早于登录日期2026-12-08，货物已过期");
  EXPECT_EQ(expired.invInfo->disableDate().toString(), "2024-12-15");
  // 7003 fills the expiry date and warns the same way; day 00 of 17 is the month's last day.
  auto timed = Receive("(01)0" + kUnit + "(7003)2612071200");
  EXPECT_EQ(timed.invInfo->disableDate().toString(), "2026-12-07");
  ASSERT_EQ(timed.warnings.size(), 1u);
  EXPECT_EQ(timed.warnings[0].message, "AI(7003)的有效期2026-12-07早于登录日期2026-12-08，货物已过期");
  EXPECT_TRUE(Receive("(01)0" + kUnit + "(17)261200").warnings.empty());
  EXPECT_TRUE(Receive("(01)0" + kUnit + "(7003)2612080000").warnings.empty());
  auto stale = Receive("(01)0" + kUnit + "(15)261130(17)270101");
  ASSERT_EQ(stale.warnings.size(), 1u);
  EXPECT_EQ(stale.warnings[0].kind, "bestBefore");
  EXPECT_EQ(stale.warnings[0].message, "AI(15)的保质期2026-11-30早于登录日期2026-12-08，已过保质期");
}

TEST_P(Gs1ReceivingTest, StoppedItemsWarnAndStrictReceivingRefuses) {
  conn->Execute("update Inventory set cBarCode = '96385074' where cInvCode = 'P003'");  // stopped 2003-01-01
  auto stopped = Receive("(01)00000096385074(21)S1");
  ASSERT_EQ(stopped.warnings.size(), 1u);
  EXPECT_EQ(stopped.warnings[0].kind, "stopped");
  EXPECT_EQ(stopped.warnings[0].message, "存货'P003'已于2003-01-01停用，登记条码时会被拒绝");
  // F002 stops only in 2099.
  conn->Execute("update Inventory set cBarCode = '614141000036' where cInvCode = 'F002'");
  EXPECT_TRUE(Receive("(01)00614141000036").warnings.empty());

  EXPECT_EQ(Refusal([&] { Receive("(01)00000096385074(17)241215", true); }),
            "严格收货不接收此标签：AI(17)的有效期2024-12-15早于登录日期2026-12-08，货物已过期；"
            "存货'P003'已于2003-01-01停用，登记条码时会被拒绝");
  EXPECT_EQ(Receive("(01)0" + kUnit + "(17)271231", true).invInfo->inventoryId(), "F001");
}

TEST_P(Gs1ReceivingTest, CartonsAndPalletsAreCountedInBaseUnits) {
  EXPECT_NE(Refusal([&] { Receive("(01)" + kCarton); }).find("指示符1表示它是某个存货的包装层级"), std::string::npos);
  const auto level = Levels().Add(kCarton, "F001", "0302", 24);
  EXPECT_EQ(level.unitName, "整箱");

  auto carton = Receive("(01)" + kCarton + "(10)L7(17)271231");
  EXPECT_EQ(carton.invInfo->inventoryId(), "F001");
  EXPECT_EQ(carton.invInfo->batchNo().toString(), "L7");
  EXPECT_EQ(carton.invInfo->unit().toString(), "0302");
  ASSERT_TRUE(carton.packaging.has_value());
  EXPECT_EQ(carton.packaging->quantity, 24);
  EXPECT_EQ(carton.baseQuantity, 24);

  // A pallet: its SSCC, the cases it holds and how many.
  auto pallet = Receive("(00)" + kSscc + "(02)" + kCarton + "(37)10");
  EXPECT_EQ(pallet.invInfo->inventoryId(), "F001");
  EXPECT_EQ(pallet.baseQuantity, 240);
  // A pallet of units counts the units themselves.
  auto units = Receive("(00)" + kSscc + "(02)0" + kUnit + "(37)36");
  EXPECT_FALSE(units.packaging.has_value());
  EXPECT_EQ(units.baseQuantity, 36);
  // The level is under the user's data rights like the item.
  RestartAs("limited", "2026-12-08");  // sees P001 and P002 only
  EXPECT_NE(Refusal([&] { Receive("(01)" + kCarton); }).find("找不到条码为GTIN'" + kCarton + "'的存货"),
            std::string::npos);
}

TEST_P(Gs1ReceivingTest, PackagingLevelsAreKeptUnderTheBarcodeRight) {
  EXPECT_EQ(LevelRefusal([&] { Levels().Add("16291041500211", "F001", "0302", 24); }),
            "'16291041500211'不是有效的GTIN：应为8、12、13或14位数字且校验位正确");
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kUnit, "F001", "0302", 24); }),
            "GTIN'0" + kUnit + "'是存货'F001'自己的条码，不能再作为包装层级");
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kCarton, "X999", "0302", 24); }), "存货'X999'不存在");
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kCarton, "F001", "9999", 24); }), "计量单位'9999'不存在");
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kCarton, "F001", "0102", 24); }),
            "计量单位'0102'不属于存货'F001'的计量单位组'03'");
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kCarton, "F001", "0302", 0); }), "包装层级所含的基本单位数量必须大于0，实为0");
  Levels().Add(kCarton, "F001", "0302", 24);
  Levels().Add("96385074", "P001", "0102", 10);  // a GTIN-8 is kept as GTIN-14
  EXPECT_EQ(LevelRefusal([&] { Levels().Add(kCarton, "F002", "0302", 6); }), "GTIN'" + kCarton + "'已经是存货'F001'的包装层级");
  ASSERT_EQ(Levels().List().size(), 2u);
  EXPECT_EQ(Levels().List().front().gtin, "00000096385074");
  EXPECT_EQ(Levels().List("F001").size(), 1u);

  RestartAs("clerk");  // no function rights
  EXPECT_EQ(LevelRefusal([&] { Levels().Add("26291041500217", "F001", "0302", 48); }), "您没有维护包装层级GTIN的权限.");
  EXPECT_EQ(LevelRefusal([&] { Levels().Remove(kCarton); }), "您没有维护包装层级GTIN的权限.");
  RestartAs("limited");  // sees P001 and P002 only
  EXPECT_EQ(Levels().List().size(), 1u);
  EXPECT_EQ(LevelRefusal([&] { Levels().Add("26291041500217", "F001", "0302", 48); }), "没有对存货'F001'的访问权限");
  EXPECT_EQ(LevelRefusal([&] { Levels().Remove(kCarton); }),
            "包装层级GTIN'" + kCarton + "'不存在，或者没有对它的存货的访问权限");
  RestartAs("admin");
  Levels().Remove(kCarton);
  EXPECT_EQ(Levels().List("F001").size(), 0u);
}

TEST_P(Gs1ReceivingTest, AnOlderDatabaseGainsTheTableInPlace) {
  sys.ExitSystem();
  conn->Execute("drop table TradeItemGtin");
  RestartAs("admin");
  EXPECT_TRUE(Levels().List().empty());
  Levels().Add(kCarton, "F001", "0302", 24);
  RestartAs("admin");  // a second start finds the table and keeps its rows
  EXPECT_EQ(Levels().List().size(), 1u);
}

QS_INSTANTIATE_BACKENDS(Gs1ReceivingTest);

}  // namespace
