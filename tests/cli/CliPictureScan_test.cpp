// Pages of the program's own labels, rasterised the way an office scanner or a phone delivers them
// (PNG and JPEG, 100 to 600 dpi): every symbol on a page is read once, in reading order, whatever
// its symbology, and no picture ends the program; pictures too large or not pictures at all are
// refused with a message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"

namespace quillstone::test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> Field(const nlohmann::json& scanned, const char* name) {
  std::vector<std::string> values;
  for (const auto& hit : scanned) values.push_back(hit.value(name, ""));
  return values;
}

// The demo's fourteen registered barcodes (Code 128, QR Code, EAN-13, GS1 DataMatrix), printed on
// one A4 sheet in an order of the test's own, so reading order is not the order of registration;
// and a rule of plain Data Matrix for a sheet of 24 labels.
class CliPictureScanTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    const fs::path demo = *dir_ / "demo";
    ASSERT_EQ(CliProcess::Run({"demo", "--dir", demo.string()}).exitCode, 0);
    cli_ = std::make_unique<CliSession>("sqlite:" + (demo / "demo.db").string(), dir_->path());

    for (const auto& set : cli_->Json({"list"})) sheetOrder_.push_back(set["barCode"]);
    ASSERT_EQ(sheetOrder_.size(), 14u);
    std::rotate(sheetOrder_.begin(), sheetOrder_.begin() + 5, sheetOrder_.end());
    std::reverse(sheetOrder_.begin(), sheetOrder_.begin() + 7);
    std::vector<std::string> label = {"label"};
    label.insert(label.end(), sheetOrder_.begin(), sheetOrder_.end());
    label.insert(label.end(), {"--sheet", "A4", "--out", File("mixed.pdf")});
    ASSERT_EQ(cli_->Run(label).exitCode, 0);

    ASSERT_EQ(cli_->Run({"rule", "create", "-"},
                        R"({"ruleId": "DM", "ruleName": "dm", "length": 11, "barCodeType": "Data Matrix", "items": [
                           {"itemType": "ISTFixed", "length": 2, "relevantValue": "DM"},
                           {"itemType": "ISTInventory", "length": 6},
                           {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})")
                  .exitCode,
              0);
  }
  static void TearDownTestSuite() {
    cli_.reset();
    dir_.reset();
  }

  static std::string File(const std::string& name) { return (*dir_ / name).string(); }

  // pdftoppm's first page of `pdf` at `dpi`, as PNG (grey levels or colour) or colour JPEG.
  static std::string Rasterise(const std::string& pdf, int dpi, const std::string& kind) {
    const std::string prefix = File(fs::path(pdf).stem().string() + "-" + kind + std::to_string(dpi));
    std::vector<std::string> args = {"-r", std::to_string(dpi), "-f", "1", "-l", "1"};
    if (kind == "grey") args.push_back("-gray");
    args.push_back(kind == "jpeg" ? "-jpeg" : "-png");
    args.insert(args.end(), {pdf, prefix});
    const auto r = CliProcess::RunProgram("/usr/bin/pdftoppm", args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return prefix + "-1." + (kind == "jpeg" ? "jpg" : "png");
  }

  // The scan's JSON; a registered barcode exits 0, an unregistered one 1 with its error in the
  // document. Either way the program ends on its own, never by a signal.
  static nlohmann::json Scan(const std::string& picture) {
    const auto r = cli_->Run({"--json", "scan", picture});
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << picture << " exit " << r.exitCode << "\n" << r.err;
    EXPECT_EQ(r.err.find("Assertion"), std::string::npos) << r.err;
    if (r.exitCode != 0 && r.out.empty()) return nlohmann::json::array();
    return r.Json();
  }

  static std::unique_ptr<ScratchDir> dir_;
  static std::unique_ptr<CliSession> cli_;
  static std::vector<std::string> sheetOrder_;
};

std::unique_ptr<ScratchDir> CliPictureScanTest::dir_;
std::unique_ptr<CliSession> CliPictureScanTest::cli_;
std::vector<std::string> CliPictureScanTest::sheetOrder_;

// At 300 dpi and above a page of bar codes once ended the program in the reader's own check.
TEST_F(CliPictureScanTest, EveryLabelOfAMixedSheetOnceInReadingOrderAtScannerResolutions) {
  const std::vector<std::pair<int, std::string>> pictures = {
      {100, "grey"}, {150, "grey"}, {200, "colour"}, {300, "grey"}, {300, "colour"}, {300, "jpeg"}, {200, "jpeg"}};
  for (const auto& [dpi, kind] : pictures) {
    const auto scanned = Scan(Rasterise(File("mixed.pdf"), dpi, kind));
    EXPECT_EQ(Field(scanned, "barCode"), sheetOrder_) << dpi << " dpi " << kind;
    for (const auto& hit : scanned) EXPECT_EQ(hit["registered"], true) << dpi << " dpi " << kind << hit.dump();
  }
}

TEST_F(CliPictureScanTest, TheDemoSheetAtSixHundredDpiEndsWithoutAbort) {
  const auto scanned = Scan(Rasterise(File("demo/labels/sheet.pdf"), 600, "grey"));
  EXPECT_EQ(scanned.size(), 14u);
}

// Labels alike on one page are as many symbols as there are labels.
TEST_F(CliPictureScanTest, LabelsAlikeAreEachReportedAndNoneEndsTheProgram) {
  const std::string code128 = sheetOrder_.front(), other = sheetOrder_.back();
  ASSERT_EQ(cli_->Run({"label", code128, code128, code128, other, other, code128, "--sheet", "A4", "--out",
                       File("alike.pdf")})
                .exitCode,
            0);
  for (int dpi : {150, 300}) {
    const auto scanned = Scan(Rasterise(File("alike.pdf"), dpi, "grey"));
    EXPECT_EQ(Field(scanned, "barCode"), (std::vector<std::string>{code128, code128, code128, other, other, code128}))
        << dpi << " dpi";
  }
}

TEST_F(CliPictureScanTest, APageOfTwentyFourDataMatrixLabelsGivesTwentyFour) {
  std::vector<std::string> texts;
  std::vector<std::string> label = {"label"};
  for (int i = 0; i < 24; ++i) {
    texts.push_back("DM" + std::to_string(100000 + i * 37) + std::to_string(100 + i));
    label.push_back(texts.back());
  }
  label.insert(label.end(), {"--rule", "DM", "--sheet", "A4", "--out", File("dm.pdf")});
  ASSERT_EQ(cli_->Run(label).exitCode, 0);
  for (int dpi : {150, 200, 300}) {
    const auto scanned = Scan(Rasterise(File("dm.pdf"), dpi, "grey"));
    EXPECT_EQ(Field(scanned, "scanned"), texts) << dpi << " dpi";
  }
}

// The empty bottom rows of the mixed sheet.
TEST_F(CliPictureScanTest, APictureWithNothingToReadSaysSo) {
  const auto r =
      CliProcess::RunProgram("/usr/bin/pdftoppm", {"-r", "100", "-f", "1", "-l", "1", "-x", "0", "-y", "800", "-W",
                                                   "827", "-H", "300", "-png", File("mixed.pdf"), File("blank")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  cli_->ExpectRefused({"scan", File("blank-1.png")}, "没有找到可读的条码");
}

// The size comes from the decoder's own reading of the header, however far into the file the
// frame header lies and whatever stray bytes come before it: nothing of such a picture is decoded.
TEST_F(CliPictureScanTest, OversizedJpegHeadersAreRefusedBeforeDecoding) {
  const std::string soi = "\xFF\xD8";
  std::string comments;
  for (int i = 0; i < 19; ++i) comments += std::string("\xFF\xFE\xFF\xFF", 4) + std::string(65533, 'c');
  // Baseline frame of 20000 x 20000 pixels and one grey component, then the start of its scan.
  const std::string frame = std::string("\xFF\xC0\x00\x0B\x08\x4E\x20\x4E\x20\x01\x01\x11\x00", 13);
  const std::string scan = std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10) + "\xFF\xD9";
  const auto manyComments = dir_->Write("comments.jpg", soi + comments + frame + scan);
  const auto strayByte = dir_->Write("stray.jpg", soi + std::string("\xFF\xFE\x00\x04xx", 6) + '\x00' + frame + scan);
  for (const auto& path : {manyComments, strayByte})
    cli_->ExpectRefused({"scan", path.string()}, "20000 × 20000 像素，超出扫描范围");

  // Wider than any side the scan reads, though under the pixel limit.
  const std::string flat = std::string("\xFF\xC0\x00\x0B\x08\x02\xFB\xFF\xDC\x01\x01\x11\x00", 13);
  cli_->ExpectRefused({"scan", dir_->Write("flat.jpg", soi + flat + scan).string()}, "65500 × 763 像素");
}

TEST_F(CliPictureScanTest, DamagedPicturesAreRefusedOrReadAsFarAsTheyGo) {
  // The mixed sheet is made for the whole suite; ctest runs each test in a process of its own.
  const auto png = Rasterise(File("mixed.pdf"), 100, "grey");
  const std::string bytes = ReadBytes(png);
  cli_->ExpectRefused({"scan", dir_->Write("cut.png", bytes.substr(0, bytes.size() / 2)).string()}, "无法读取图片");
  cli_->ExpectRefused({"scan", dir_->Write("text.png", "not a picture").string()}, "不是 PNG 或 JPEG 图片");

  // A JPEG cut short is decoded as far as it goes: the labels above the cut are still read.
  const std::string jpeg = ReadBytes(Rasterise(File("mixed.pdf"), 150, "jpeg"));
  const auto scanned = Scan(dir_->Write("cut.jpg", jpeg.substr(0, jpeg.size() * 2 / 3)).string());
  EXPECT_GE(scanned.size(), 3u);
  EXPECT_LT(scanned.size(), 14u);
}

}  // namespace
}  // namespace quillstone::test
