// GS1 through the program: the gs1 command, GS1 labels printed in each GS1 symbol and scanned
// back to the supplier's item, decode and verify of typed GS1 data, and scanning pictures that
// other programs made or that stand in for a phone's photograph.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "quillstone/platform/Connection.h"

namespace quillstone::test {
namespace {

// The build names this file relative to the build folder (the program's parent's parent).
std::filesystem::path DataDir() {
  std::filesystem::path source = __FILE__;
  if (source.is_relative()) source = CliProcess::ProgramPath().parent_path().parent_path() / source;
  return std::filesystem::weakly_canonical(source).parent_path().parent_path() / "data";
}
const std::filesystem::path kData = DataDir();
const std::string kLabel = "(01)06291041500213(10)LOT7(17)261231(21)S1";

class CliGs1Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    const std::string db = "sqlite:" + (*dir_ / "gs1.db").string();
    cli_ = std::make_unique<CliSession>(db, dir_->path());
    ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
    // Master data keeps F001's GTIN-13, and the GS1 example GTIN for N001.
    auto conn = Connection::Open(db);
    conn->Execute("update Inventory set cBarCode = '6291041500213' where cInvCode = 'F001'");
    conn->Execute("update Inventory set cBarCode = '09506000134352' where cInvCode = 'N001'");
  }
  static void TearDownTestSuite() {
    cli_.reset();
    dir_.reset();
  }
  static CliResult Run(const std::vector<std::string>& args) { return cli_->Run(args); }
  static nlohmann::json Json(const std::vector<std::string>& args) { return cli_->Json(args); }
  static std::string File(const std::string& name) { return (*dir_ / name).string(); }

  static std::unique_ptr<ScratchDir> dir_;
  static std::unique_ptr<CliSession> cli_;
};

std::unique_ptr<ScratchDir> CliGs1Test::dir_;
std::unique_ptr<CliSession> CliGs1Test::cli_;

TEST_F(CliGs1Test, Gs1CommandListsChecksAndConverts) {
  auto r = Run({"gs1", "https://example.com/01/09506000134352/10/ABC123?17=251231"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("(01)09506000134352(10)ABC123(17)251231"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("USE BY or EXPIRY"), std::string::npos) << r.out;

  auto doc = Json({"gs1", "]C1010950600013435210ABC123<GS>17251231"});
  EXPECT_EQ(doc["form"], "raw");
  EXPECT_EQ(doc["symbologyIdentifier"], "]C1");
  ASSERT_EQ(doc["elements"].size(), 3u);
  EXPECT_EQ(doc["elements"][1]["title"], "BATCH/LOT");
  EXPECT_EQ(doc["link"], "https://id.gs1.org/01/09506000134352/10/ABC123?17=251231");

  EXPECT_EQ(Run({"gs1", "(01)09506000134352(10)ABC123(17)251231", "--to", "raw"}).out,
            "010950600013435210ABC123\x1d"
            "17251231\n");
  EXPECT_EQ(Run({"gs1", "(01)09506000134352(10)A", "--to", "link", "--base", "https://brand.example/"}).out,
            "https://brand.example/01/09506000134352/10/A\n");
  EXPECT_EQ(Run({"gs1", "0109506000134352", "--to", "hri"}).out, "(01)09506000134352\n");

  cli_->ExpectRefused({"gs1", "(01)09506000134353"}, "AI(01) GTIN的校验位错误");
  cli_->ExpectRefused({"gs1", "(410)3898765432108", "--to", "link"}, "不能写成GS1数字链接");
  EXPECT_EQ(Run({"gs1"}).exitCode, 2);
}

TEST_F(CliGs1Test, LabelsInEveryGs1SymbolScanBackToTheSuppliersItem) {
  for (const auto& [symbology, name, identifier] :
       {std::tuple{"gs1-128", "GS1-128", "]C1"}, std::tuple{"gs1-datamatrix", "GS1 DataMatrix", "]d2"},
        std::tuple{"gs1-qr", "GS1 QR Code", "]Q3"}}) {
    const std::string png = File(std::string(symbology) + ".png");
    auto label = Json({"label", "--gs1", kLabel, "--symbology", symbology, "--out", png});
    EXPECT_EQ(label["symbology"], name);

    auto scanned = Json({"scan", png, "--item", "F001", "--batch", "LOT7"});
    ASSERT_EQ(scanned.size(), 1u) << scanned.dump();
    const auto& hit = scanned[0];
    EXPECT_EQ(hit["symbology"], name);
    EXPECT_EQ(hit["symbologyIdentifier"], identifier);
    EXPECT_EQ(hit["barCode"], kLabel);
    EXPECT_EQ(hit["scanned"],
              "010629104150021310LOT7\x1d"
              "1726123121S1");
    EXPECT_EQ(hit["invInfo"]["inventoryId"], "F001");
    EXPECT_EQ(hit["invInfo"]["batchNo"], "LOT7");
    EXPECT_EQ(hit["invInfo"]["disableDate"], "2026-12-31");
    EXPECT_EQ(hit["gs1"].size(), 4u);
    EXPECT_EQ(hit["verified"], true) << hit.dump();
  }
  // A consumer pack's QR Code holds a Digital Link: plain QR, found by its link form.
  auto link = Json({"label", "--gs1", kLabel, "--symbology", "gs1-link", "--out", File("link.png")});
  EXPECT_EQ(link["symbology"], "GS1 Digital Link QR Code");
  auto linked = Json({"scan", File("link.png")});
  ASSERT_EQ(linked.size(), 1u);
  EXPECT_EQ(linked[0]["scanned"], "https://id.gs1.org/01/06291041500213/10/LOT7/21/S1?17=261231");
  EXPECT_EQ(linked[0]["barCode"], "(01)06291041500213(10)LOT7(21)S1(17)261231");
  EXPECT_EQ(linked[0]["invInfo"]["inventoryId"], "F001");
  // A document about another batch is refused in the library's words, and the scan says so.
  auto r = Run({"scan", File("gs1-qr.png"), "--batch", "LOT8"});
  ExpectFailure(r, "条码信息与当前批号不一致，条码信息中的批号为'LOT7',当前批号为'LOT8'");
}

TEST_F(CliGs1Test, DecodeAndVerifyTakeTypedGs1Data) {
  auto decoded = Json({"decode", "(01)06291041500213(10)LOT7(11)260100(17)261200"});
  EXPECT_EQ(decoded["invInfo"]["inventoryId"], "F001");
  EXPECT_EQ(decoded["invInfo"]["inventoryName"], "原味酸奶");
  EXPECT_EQ(decoded["invInfo"]["madeDate"], "2026-01-01");
  EXPECT_EQ(decoded["invInfo"]["disableDate"], "2026-12-31");
  EXPECT_EQ(decoded["elements"].size(), 4u);
  // Raw data looks like any barcode, so --gs1 says what it is.
  EXPECT_EQ(Json({"decode", "--gs1", "0109506000134352"})["invInfo"]["inventoryId"], "N001");

  EXPECT_EQ(Json({"verify", kLabel, "--item", "F001", "--batch", "LOT7"})["verified"], true);
  cli_->ExpectRefused({"verify", kLabel, "--item", "P001"}, "条码信息中的存货编码为'F001',当前存货编码为'P001'");
  cli_->ExpectRefused({"decode", "(01)09521234543213"}, "找不到条码为GTIN'09521234543213'的存货");
  cli_->ExpectRefused({"--user", "limited", "decode", kLabel},
                      "找不到条码为GTIN'06291041500213'的存货，或者没有对它的访问权限");
}

TEST_F(CliGs1Test, LabelNeedsABarcodeOrGs1Data) {
  EXPECT_EQ(Run({"label", "--out", File("none.png")}).exitCode, 2);
  EXPECT_EQ(Run({"label", "X1", "--gs1", kLabel, "--out", File("both.png")}).exitCode, 2);
  cli_->ExpectRefused({"label", "--gs1", kLabel, "--symbology", "ean-13", "--out", File("x.png")}, "gs1-128");
  cli_->ExpectRefused({"label", "--gs1", "(01)123", "--out", File("x.png")}, "AI(01) GTIN的长度应为14位");
}

// Pictures made by other programs, shipped in Debian packages: tiny 1-bit palette PNGs with
// little quiet zone, and an RGBA Data Matrix.
TEST_F(CliGs1Test, ScansBarcodeImagesOtherProgramsMade) {
  const std::vector<std::pair<std::string, std::string>> samples = {
      {"gd-EAN13.png", "1234567890128"},
      {"gd-Code39.png", "123456789012"},
      {"gd-QRcode.png", "123456789012"},
      {"gd-qr-bar2.png", "AAAAAAAAAA"},
      {"gd-qr-qrc4.png", "AAAAAAAAAA"},
      {"gd-qr-reschk.png", "AAAAAAAAAA"},
      {"pylibdmtx-datamatrix.png", "Plesiosaurus"},
  };
  int read = 0;
  for (const auto& [file, text] : samples) {
    // Not registered anywhere: the scan fails to decode, but says what it read.
    auto r = Run({"--json", "scan", (kData / "scan-samples" / file).string()});
    auto doc = r.Json();
    ASSERT_TRUE(doc.is_array() && !doc.empty()) << file << ": " << r.err;
    // The Data Matrix sample holds a second symbol beside this one.
    const bool found = std::any_of(doc.begin(), doc.end(), [&](const auto& hit) { return hit["scanned"] == text; });
    EXPECT_TRUE(found) << file << ": " << doc.dump();
    read += found;
  }
  EXPECT_EQ(read, static_cast<int>(samples.size()));
  const auto pair = Run({"--json", "scan", (kData / "scan-samples" / "pylibdmtx-datamatrix.png").string()}).Json();
  ASSERT_EQ(pair.size(), 2u) << pair.dump();
  EXPECT_EQ(pair[0]["scanned"], "Stegosaurus");
  EXPECT_EQ(pair[1]["scanned"], "Plesiosaurus");
}

TEST_F(CliGs1Test, ScansPhotographedLabels) {
  // Upside down in a large, noisy JPEG; and a small Data Matrix far from the picture's middle.
  for (const auto& [file, serial] :
       {std::pair{"gs1-128-upside-down-photo.jpg", "C0001"}, std::pair{"gs1-datamatrix-small-in-photo.jpg", "C0002"}}) {
    auto scanned = Json({"scan", (kData / "photos" / file).string()});
    ASSERT_EQ(scanned.size(), 1u) << file;
    EXPECT_EQ(scanned[0]["invInfo"]["inventoryId"], "N001") << file;
    EXPECT_EQ(scanned[0]["invInfo"]["batchNo"], "SUP2024A") << file;
    EXPECT_EQ(scanned[0]["barCode"], std::string("(01)09506000134352(10)SUP2024A(17)271231(21)") + serial);
  }
  // One pixel per module and no quiet zone: read on the second look, as a pure symbol.
  auto tiny = Json({"scan", (kData / "photos" / "tiny-gs1-datamatrix-no-quiet-zone.png").string()});
  ASSERT_EQ(tiny.size(), 1u);
  EXPECT_EQ(tiny[0]["barCode"], "(01)09506000134352(10)TINY1");
  EXPECT_EQ(tiny[0]["invInfo"]["inventoryId"], "N001");
  cli_->ExpectRefused({"scan", (kData / "scan-samples" / "SOURCES.md").string()}, "不是 PNG 或 JPEG 图片");
}

}  // namespace
}  // namespace quillstone::test
