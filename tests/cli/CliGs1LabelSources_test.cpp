// A label printed from GS1 data (`label --gs1`) is the label of the registered barcode it equals:
// the same size, name band, symbol and text in PNG, ZPL, SVG and PDF; what it cannot honour is
// refused, and GS1-128 data longer than the symbol carries is sent to GS1 DataMatrix.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "cli/FileText.h"
#include "cli/GrayImage.h"
#include "quillstone/platform/Connection.h"

namespace quillstone::test {
namespace {

class CliGs1LabelSourcesTest : public CliSqliteTest {
 protected:
  void SetUp() override {
    CliSqliteTest::SetUp();
    auto conn = Connection::Open("sqlite:" + (dir / "t.db").string());
    conn->Execute("update Inventory set cBarCode = '09506000134352' where cInvCode = 'F001'");
    conn->Close();
    ASSERT_EQ(cli.Run({"rule", "create", "-"},
                      R"({"ruleId": "GDM", "ruleName": "药品", "length": 34, "barCodeType": "GS1 DataMatrix",
                          "items": [{"itemType": "ISTInventory", "length": 14, "ai": "01"},
                                    {"itemType": "ISTBatch", "length": 8, "ai": "10"},
                                    {"itemType": "ISTDisableDate", "length": 6, "relevantValue": "yymmdd", "ai": "17"},
                                    {"itemType": "ISTSequence", "length": 6, "relevantValue": "000001", "ai": "21"}]})")
                  .exitCode,
              0);
    ASSERT_EQ(cli.Run({"assign", "item", "F001", "GDM"}).exitCode, 0);
    auto sets = cli.Json({"register", "F001", "--batch", "LOT7", "--expiry", "2027-12-31"});
    ASSERT_EQ(sets.size(), 1u);
    code = sets[0]["barCode"];
  }
  std::string File(const std::string& name) const { return (dir / name).string(); }
  // The registered barcode's label and the label of the same data given as GS1, each with `extra`.
  std::pair<nlohmann::json, nlohmann::json> Both(const std::string& ext, std::vector<std::string> extra = {}) {
    std::vector<std::string> registered{"label", code, "--out", File("reg" + ext)};
    std::vector<std::string> gs1{"label", "--gs1", code, "--symbology", "gs1-datamatrix", "--out", File("gs1" + ext)};
    registered.insert(registered.end(), extra.begin(), extra.end());
    gs1.insert(gs1.end(), extra.begin(), extra.end());
    return {cli.Json(registered), cli.Json(gs1)};
  }

  std::string code;
};

TEST_F(CliGs1LabelSourcesTest, Gs1DataPrintsTheRegisteredBarcodesLabel) {
  for (const std::string size : {"50x30mm", "60x40mm"}) {
    SCOPED_TRACE(size);
    const auto [registered, gs1] = Both(".png", {"--size", size});
    EXPECT_EQ(gs1["name"], "原味酸奶") << "the item its GTIN finds names the label";
    EXPECT_EQ(gs1["name"], registered["name"]);
    EXPECT_EQ(gs1["symbology"], "GS1 DataMatrix");
    const auto expected = GrayImage::ReadPng(File("reg.png"));
    const auto got = GrayImage::ReadPng(File("gs1.png"));
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.height, expected.height);
    EXPECT_EQ(expected.DifferingRows(got), std::make_pair(-1, -1));
  }
  Both(".zpl", {"--dpi", "300"});
  EXPECT_EQ(ReadText(File("gs1.zpl")), ReadText(File("reg.zpl")));
  Both(".svg");
  EXPECT_NE(ReadText(File("gs1.svg")).find("原味酸奶"), std::string::npos);
  const auto [sheet, gs1Sheet] = Both(".pdf", {"--sheet", "A5", "--layout", "2x5"});
  EXPECT_EQ(gs1Sheet["pages"], 1);
  EXPECT_EQ(gs1Sheet["sheet"], sheet["sheet"]);
}

TEST_F(CliGs1LabelSourcesTest, WhatAGs1LabelCannotHonourIsRefused) {
  cli.ExpectRefused({"label", "--gs1", code, "--rule", "GDM", "--out", File("x.png")}, "--rule");
  cli.ExpectRefused({"label", code, "--symbology", "gs1-128", "--out", File("x.png")}, "--symbology");
  cli.ExpectRefused({"label", "--gs1", code, "--symbology", "gs1-qr", "--out", File("x.zpl")}, "没有 ZPL 写法");
  // 16 + 22 + separator + 8 + 8 = 55 characters: more than GS1-128 carries.
  const std::string pallet = "(01)09506000134352(10)ABCDEFGHIJ1234567890(17)270331(21)000004";
  for (const char* file : {"x.png", "x.zpl"}) {
    const auto r = cli.Run({"label", "--gs1", pallet, "--symbology", "gs1-128", "--out", File(file)});
    ExpectFailure(r, "48");
    EXPECT_NE(r.err.find("GS1 DataMatrix"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(File("x.png")));
  cli.Json({"label", "--gs1", pallet, "--symbology", "gs1-datamatrix", "--out", File("pallet.png")});
  // A GTIN the master data does not know still prints, without a name.
  auto unknown = cli.Json({"label", "--gs1", "(01)06291041500213(10)X", "--out", File("unknown.png")});
  EXPECT_EQ(unknown["name"], "");
}

}  // namespace
}  // namespace quillstone::test
