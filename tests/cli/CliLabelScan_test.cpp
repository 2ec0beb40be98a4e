// Labels printed in every symbology a rule may name, scanned back from the PNG and matched to
// the registry, decoded and verified.
#include <gtest/gtest.h>

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

struct Symbology {
  const char* typeName;
  const char* ruleId;
  const char* item;
  const char* rule;  // JSON
};

const Symbology kSymbologies[] = {
    {"Code 128", "C128", "P001",
     R"({"ruleId": "C128", "ruleName": "c128", "length": 12, "barCodeType": "Code 128", "items": [
         {"itemType": "ISTFixed", "length": 2, "relevantValue": "C1"}, {"itemType": "ISTInventory", "length": 6},
         {"itemType": "ISTSequence", "length": 4, "relevantValue": "0001"}]})"},
    // Twelve digits: the symbol adds the check digit, which the scan must take off again.
    {"EAN-13", "EAN", "P002",
     R"({"ruleId": "EAN", "ruleName": "ean", "length": 12, "barCodeType": "EAN-13", "items": [
         {"itemType": "ISTFixed", "length": 2, "relevantValue": "69"}, {"itemType": "ISTInventory", "length": 6},
         {"itemType": "ISTSequence", "length": 4, "relevantValue": "0001"}]})"},
    {"Code 39", "C39", "S001",
     R"({"ruleId": "C39", "ruleName": "c39", "length": 11, "barCodeType": "Code 39", "items": [
         {"itemType": "ISTFixed", "length": 2, "relevantValue": "C-"}, {"itemType": "ISTInventory", "length": 6},
         {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})"},
    // A Chinese fixed segment travels as UTF-8 inside the symbol.
    {"QR Code", "QR", "F001",
     R"({"ruleId": "QR", "ruleName": "qr", "length": 11, "barCodeType": "QR Code", "items": [
         {"itemType": "ISTFixed", "length": 2, "relevantValue": "码"}, {"itemType": "ISTInventory", "length": 6},
         {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})"},
    {"Data Matrix", "DM", "N001",
     R"({"ruleId": "DM", "ruleName": "dm", "length": 11, "barCodeType": "Data Matrix", "items": [
         {"itemType": "ISTFixed", "length": 2, "relevantValue": "DM"}, {"itemType": "ISTInventory", "length": 6},
         {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})"},
};

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One database with a rule per symbology, each assigned to its own item, shared by the suite.
class CliLabelScanTest : public ::testing::TestWithParam<Symbology> {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    cli_ = std::make_unique<CliSession>("sqlite:" + (*dir_ / "labels.db").string(), dir_->path());
    ASSERT_EQ(Run({"init", "--demo"}).exitCode, 0);
    for (const auto& s : kSymbologies) {
      ASSERT_EQ(Run({"rule", "create", "-"}, s.rule).exitCode, 0) << s.ruleId;
      ASSERT_EQ(Run({"assign", "item", s.item, s.ruleId}).exitCode, 0) << s.ruleId;
    }
  }
  static void TearDownTestSuite() {
    cli_.reset();
    dir_.reset();
  }

  static CliResult Run(const std::vector<std::string>& args, const std::string& input = "") {
    return cli_->Run(args, input);
  }
  static nlohmann::json Json(const std::vector<std::string>& args) { return cli_->Json(args); }
  static std::string File(const std::string& name) { return (*dir_ / name).string(); }

  static std::unique_ptr<ScratchDir> dir_;
  static std::unique_ptr<CliSession> cli_;
};

std::unique_ptr<ScratchDir> CliLabelScanTest::dir_;
std::unique_ptr<CliSession> CliLabelScanTest::cli_;

TEST_P(CliLabelScanTest, RegisteredBarcodeSurvivesLabelAndScan) {
  const Symbology& s = GetParam();
  auto sets = Json({"register", s.item});
  ASSERT_EQ(sets.size(), 1u);
  const std::string code = sets[0]["barCode"];

  const std::string png = File(std::string(s.ruleId) + ".png");
  auto label = Json({"label", code, "--out", png});
  EXPECT_EQ(label["symbology"], s.typeName);
  ASSERT_TRUE(std::filesystem::exists(png));

  auto scanned = Json({"scan", png, "--item", s.item});
  ASSERT_EQ(scanned.size(), 1u) << scanned.dump();
  const auto& hit = scanned[0];
  EXPECT_EQ(hit["symbology"], s.typeName);
  EXPECT_EQ(hit["barCode"], code);
  EXPECT_EQ(hit["registered"], true);
  EXPECT_EQ(hit["ruleId"], s.ruleId);
  EXPECT_EQ(hit["invInfo"]["inventoryId"], s.item);
  EXPECT_EQ(hit["verified"], true) << hit.dump();
  EXPECT_FALSE(hit.contains("error")) << hit.dump();
}

INSTANTIATE_TEST_SUITE_P(, CliLabelScanTest, ::testing::ValuesIn(kSymbologies),
                         [](const ::testing::TestParamInfo<Symbology>& info) {
                           return std::string(info.param.ruleId);
                         });

TEST_F(CliLabelScanTest, SvgLabelsCarryTheTextAsWritten) {
  auto sets = Json({"register", "F001"});
  ASSERT_EQ(sets.size(), 1u);
  const std::string code = sets[0]["barCode"];
  const std::string svg = File("qr.svg");
  ASSERT_EQ(Run({"label", code, "--out", svg}).exitCode, 0);
  const std::string content = ReadText(svg);
  EXPECT_NE(content.find("<svg"), std::string::npos);
  EXPECT_NE(content.find(code), std::string::npos) << "the caption keeps the Chinese segment";
}

TEST_F(CliLabelScanTest, UnregisteredCodesNeedTheirRuleNamed) {
  const std::string png = File("loose.png");
  ASSERT_EQ(Run({"label", "C11000019999", "--rule", "C128", "--out", png}).exitCode, 0);

  auto byRule = Json({"scan", png, "--rule", "C128"});
  ASSERT_EQ(byRule.size(), 1u);
  EXPECT_EQ(byRule[0]["registered"], false);
  EXPECT_EQ(byRule[0]["invInfo"]["inventoryId"], "P001");

  cli_->ExpectRefused({"scan", png}, "没有登记");
}

TEST_F(CliLabelScanTest, TextASymbologyCannotCarryIsRefused) {
  cli_->ExpectRefused({"label", "ABC", "--rule", "EAN", "--out", File("bad.png")}, "EAN-13");
  EXPECT_FALSE(std::filesystem::exists(File("bad.png")));
  cli_->ExpectRefused({"label", "lower", "--rule", "C39", "--out", File("bad.png")}, "Code 39");
  cli_->ExpectRefused({"label", "C1100001", "--rule", "C128", "--out", File("bad.gif")}, "扩展名应为 .png");
  cli_->ExpectRefused({"scan", File("labels.db")}, "不是 PNG 或 JPEG 图片");
}

}  // namespace
}  // namespace quillstone::test
