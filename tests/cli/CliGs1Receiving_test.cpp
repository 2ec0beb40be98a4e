// Receiving through the program: measures printed with their units, warnings on stderr with
// their own exit status, packaging levels kept with `gtin` under the barcode right, and cartons
// and pallets decoded to the item and its base units.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "quillstone/platform/Connection.h"

namespace quillstone::test {
namespace {

constexpr int kWarned = 3;

class CliGs1ReceivingTest : public CliSqliteTest {
 protected:
  void SetUp() override {
    CliSqliteTest::SetUp();
    auto conn = Connection::Open("sqlite:" + (dir / "t.db").string());
    conn->Execute("update Inventory set cBarCode = '6291041500213' where cInvCode = 'F001'");
    conn->Execute("update Inventory set cBarCode = '96385074' where cInvCode = 'P003'");  // stopped
  }
  CliResult On(std::vector<std::string> args, const std::string& day = "2026-12-08") {
    args.insert(args.end(), {"--login-date", day});
    return cli.Run(args);
  }
};

TEST_F(CliGs1ReceivingTest, MeasuresReadAsNumbersWithUnits) {
  auto r = cli.Run({"gs1", "(01)09506000134352(3103)001250(30)12"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("1.250 kg"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("001250\n"), std::string::npos) << r.out;
  auto j = cli.Json({"gs1", "(01)09506000134352(3103)001250"});
  EXPECT_EQ(j["elements"][1]["number"], 1.25);
  EXPECT_EQ(j["elements"][1]["unit"], "kg");
  EXPECT_EQ(j["elements"][1]["value"], "001250");
  // One text, one meaning: a parenthesis in a value is escaped in HRI.
  EXPECT_EQ(cli.Run({"gs1", "010950600013435210AB(21)12", "--to", "hri"}).out,
            "(01)09506000134352(10)AB\\(21)12\n");
}

TEST_F(CliGs1ReceivingTest, WarningsGoToStderrWithTheirOwnExitStatus) {
  auto expired = On({"decode", "(01)06291041500213(10)L1(17)241215"});
  EXPECT_EQ(expired.exitCode, kWarned) << expired.err;
  EXPECT_NE(expired.out.find("F001"), std::string::npos) << expired.out;
  EXPECT_NE(expired.err.find("警告：AI(17)的有效期2024-12-15早于登录日期2026-12-08，货物已过期"), std::string::npos)
      << expired.err;
  auto stopped = On({"decode", "(01)00000096385074", "--json"});
  EXPECT_EQ(stopped.exitCode, kWarned) << stopped.err;
  EXPECT_EQ(stopped.Json()["warnings"][0]["kind"], "stopped");
  auto verified = On({"verify", "(01)06291041500213(17)241215", "--item", "F001"});
  EXPECT_EQ(verified.exitCode, kWarned) << verified.err;
  EXPECT_EQ(On({"decode", "(01)06291041500213(17)271231"}).exitCode, 0);

  // A supplier's label read from a picture warns the same way.
  const std::string png = (dir / "expired.png").string();
  ASSERT_EQ(cli.Run({"label", "--gs1", "(01)06291041500213(10)L1(17)241215", "--symbology", "gs1-datamatrix",
                     "--out", png})
                .exitCode,
            0);
  auto scanned = On({"scan", png});
  EXPECT_EQ(scanned.exitCode, kWarned) << scanned.err;
  EXPECT_NE(scanned.err.find("货物已过期"), std::string::npos) << scanned.err;
  auto scannedJson = On({"scan", png, "--json"});
  EXPECT_EQ(scannedJson.exitCode, kWarned);
  EXPECT_EQ(scannedJson.Json()[0]["warnings"][0]["kind"], "expired");
}

TEST_F(CliGs1ReceivingTest, CartonsAndPalletsThroughPackagingLevels) {
  auto unknown = On({"decode", "(01)16291041500210"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("包装层级"), std::string::npos) << unknown.err;

  auto added = cli.Json({"gtin", "add", "16291041500210", "F001", "--unit", "0302", "--quantity", "24"});
  EXPECT_EQ(added["gtin"], "16291041500210");
  EXPECT_EQ(added["unitName"], "整箱");
  auto listed = cli.Json({"gtin", "list"});
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0]["quantity"], 24);
  EXPECT_NE(cli.Run({"gtin", "list"}).out.find("16291041500210  F001"), std::string::npos);

  auto carton = On({"decode", "(01)16291041500210(17)271231", "--json"});
  ASSERT_EQ(carton.exitCode, 0) << carton.err;
  EXPECT_EQ(carton.Json()["invInfo"]["inventoryId"], "F001");
  EXPECT_EQ(carton.Json()["baseQuantity"], 24);
  auto pallet = On({"decode", "(00)376104250021234569(02)16291041500210(37)10"});
  ASSERT_EQ(pallet.exitCode, 0) << pallet.err;
  EXPECT_NE(pallet.out.find("quantity in base units: 240"), std::string::npos) << pallet.out;

  cli.ExpectRefused({"gtin", "add", "26291041500217", "F001", "--unit", "0302", "--quantity", "48", "--user", "clerk"},
                    "您没有维护包装层级GTIN的权限.");
  cli.ExpectRefused({"gtin", "add", "16291041500211", "F001", "--unit", "0302", "--quantity", "24"},
                    "不是有效的GTIN");
  EXPECT_EQ(cli.Run({"gtin", "add", "26291041500217", "F001", "--unit", "0302", "--quantity", "0"}).exitCode, 2);
  EXPECT_EQ(cli.Json({"gtin", "remove", "16291041500210"})["removed"], true);
  EXPECT_TRUE(cli.Json({"gtin", "list"}).empty());
}

TEST_F(CliGs1ReceivingTest, ACaptionBreaksBetweenFieldsNeverAtAnEscapedParenthesis) {
  const std::string zpl = (dir / "c.zpl").string();
  ASSERT_EQ(cli.Run({"label", "--gs1", "(01)09506000134352(10)AB\\(17)270331(21)000001", "--symbology",
                     "gs1-datamatrix", "--out", zpl})
                .exitCode,
            0);
  std::ifstream in(zpl);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // ZPL doubles the backslash; the break comes before (10), not inside the batch.
  EXPECT_NE(text.find("^FD(01)09506000134352^FS"), std::string::npos) << text;
  EXPECT_NE(text.find("^FD(10)AB\\\\(17)270331(21)000001^FS"), std::string::npos) << text;
}

}  // namespace
}  // namespace quillstone::test
