// Hostile input through the program on both databases: list filters that try to leave their
// condition, items outside the user's data rights, values that would break a table or a terminal,
// number options out of range and a picture too large to decode.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "support/BackendTest.h"

namespace quillstone::test {
namespace {

const char* const kPhoneRule = R"({"ruleId": "PH", "ruleName": "手机", "length": 11, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTFixed", "length": 2, "relevantValue": "PH"}, {"itemType": "ISTInventory", "length": 6},
            {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})";
const char* const kBatchRule = R"({"ruleId": "BT", "ruleName": "批次", "length": 12, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTBatch", "length": 6}]})";

class CliHostileTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    session_ = std::make_unique<CliSession>(connectionString(), dir.path());
    ASSERT_EQ(Run({"init", "--demo"}).exitCode, 0);
    ASSERT_EQ(Run({"rule", "create", "-"}, kPhoneRule).exitCode, 0);
    ASSERT_EQ(Run({"rule", "create", "-"}, kBatchRule).exitCode, 0);
    ASSERT_EQ(Run({"assign", "item", "P001", "PH"}).exitCode, 0);
    ASSERT_EQ(Run({"assign", "item", "S001", "BT"}).exitCode, 0);
    phones = Json({"register", "P001", "--count", "2"});
    ASSERT_EQ(phones.size(), 2u);
    // A tab and an escape sequence in the batch: stored as given, never written raw.
    shirt = Json({"register", "S001", "--batch", "a\tb\x1b[J"})[0]["barCode"].get<std::string>();
  }
  CliResult Run(const std::vector<std::string>& args, const std::string& input = "") {
    return session_->Run(args, input);
  }
  nlohmann::json Json(const std::vector<std::string>& args) { return session_->Json(args); }
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    session_->ExpectRefused(args, message);
  }

  ScratchDir dir;
  nlohmann::json phones;
  std::string shirt;

 private:
  std::unique_ptr<CliSession> session_;
};

TEST_P(CliHostileTest, FilterBreakoutsAreRefusedAndPlainOptionsBindTheirValues) {
  ExpectRefused({"--user", "blind", "list", "--filter", "1=1) or (1=1"}, "过滤条件");
  ExpectRefused({"list", "--item", "P001", "--filter", "1=1) or (1=1"}, "括号不配对");
  ExpectRefused({"list", "--filter", "0 union select cUserId,cUserName from HostUser"}, "过滤条件");
  ExpectRefused({"rule", "list", "--filter", "1=1; drop table BarCodeRule"}, "过滤条件");
  ExpectRefused({"assign", "list", "--filter", "exists (select 1 from HostUser)"}, "过滤条件");
  EXPECT_TRUE(Json({"--user", "blind", "list", "--filter", "1=1 or 1=1"}).empty());
  EXPECT_EQ(Json({"rule", "list"}).size(), 2u);

  EXPECT_EQ(Json({"list", "--filter", "cInvCode='S001'"}).size(), 1u);  // the registry's cInvCode
  EXPECT_EQ(Json({"list", "--item", "P001"}).size(), 2u);
  EXPECT_EQ(Json({"list", "--batch", "a\tb\x1b[J"}).size(), 1u);
  EXPECT_EQ(Json({"list", "--rule", "PH", "--state", "normal", "--from", "2000-01-01", "--to", "2099-12-31"}).size(),
            2u);
  ASSERT_EQ(Run({"abandon", phones[0]["barCode"].get<std::string>()}).exitCode, 0);
  EXPECT_EQ(Json({"list", "--state", "abandoned"}).size(), 1u);
  EXPECT_EQ(Json({"list", "--item", "x' or '1'='1"}).size(), 0u);
  EXPECT_EQ(Json({"rule", "list", "--rule", "BT"}).size(), 1u);
  EXPECT_EQ(Json({"assign", "list", "--item", "S001", "--rule", "BT"}).size(), 1u);
  // A blank filter is none; the length limit counts what the caller wrote.
  EXPECT_EQ(Json({"list", "--filter", "   "}).size(), 3u);
  const std::string longest = "cBatch = '" + std::string(3989, 'x') + "'";
  EXPECT_TRUE(Json({"list", "--filter", longest}).empty());
  ExpectRefused({"list", "--filter", longest + " "}, "4001字节");
  ExpectRefused({"rule", "list", "--filter", "\"pg_sleep\"(5) is null"}, "函数名不能带引号");
  EXPECT_EQ(Run({"list", "--from", "2003-1-1"}).exitCode, 2);
  EXPECT_EQ(Run({"list", "--state", "lost"}).exitCode, 2);
}

TEST_P(CliHostileTest, ItemsOutsideTheDataRightsAreNotShown) {
  // "limited" sees P001 and P002 only; "blind" sees no item.
  ExpectRefused({"--user", "limited", "decode", shirt, "--rule", "BT"}, "不在您的数据权限之内");
  EXPECT_EQ(Json({"--user", "limited", "decode", phones[1]["barCode"].get<std::string>(), "--rule",
                  "PH"})["invInfo"]["inventoryId"],
            "P001");
  ExpectRefused({"--user", "blind", "encode", "S001"}, "不在您的数据权限之内");
  ExpectRefused({"--user", "blind", "assign", "find", "S001"}, "不在您的数据权限之内");
  const auto visible = Json({"--user", "limited", "assign", "list"});
  ASSERT_EQ(visible.size(), 1u);
  EXPECT_EQ(visible[0]["target"], "P001");
  EXPECT_EQ(Json({"assign", "list"}).size(), 2u);
}

TEST_P(CliHostileTest, ValuesCannotBreakTheTableOrTheTerminal) {
  const auto list = Run({"list"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(list.out.find('\t'), std::string::npos);
  EXPECT_EQ(list.out.find('\x1b'), std::string::npos);
  EXPECT_NE(list.out.find("200001a\\tb\\x1B[J"), std::string::npos) << list.out;
  EXPECT_EQ(Run({"list"}).out.find("\n\n"), std::string::npos);

  const auto huge = Run({"show", std::string(100000, 'Z') + "\x1b]0;title\a"});
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_LT(huge.err.size(), 1000u);
  EXPECT_EQ(huge.err.find('\x1b'), std::string::npos);
}

TEST_P(CliHostileTest, NumberOptionsOutOfRangeGiveAClearMessage) {
  for (const char* limit : {"0", "-1", "99999999999999999999"}) {
    const auto r = Run({"list", "--limit", limit});
    EXPECT_EQ(r.exitCode, 2) << limit;
    EXPECT_NE(r.err.find("--limit"), std::string::npos) << r.err.substr(0, 300);
    EXPECT_LT(r.err.find('\n'), 200u) << r.err.substr(0, 300);
  }
  EXPECT_EQ(Json({"list", "--limit", "1"}).size(), 1u);
  // 0x10 is sixteen to strtod, and no cost a clerk means.
  for (const char* cost : {"1e999", "0x10"}) ExpectRefused({"encode", "P001", "--cost", cost}, "单价应为十进制数");
}

TEST_P(CliHostileTest, ScanRefusesAPictureOverThePixelLimitBeforeDecodingIt) {
  // A PNG header announcing 30000 x 30000 pixels, with the checksum libpng checks, and where its
  // image data would begin: nothing of that is read.
  static const char kHeader[] =
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x75\x30\0\0\x75\x30\x08\0\0\0\0\x43\x4c\xa7\x66\0\0\0\0IDAT";
  const auto path = dir.Write("big.png", std::string(kHeader, sizeof kHeader - 1));
  ExpectRefused({"scan", path.string()}, "30000 × 30000 像素，超出扫描范围");
}

QS_INSTANTIATE_BACKENDS(CliHostileTest);

}  // namespace
}  // namespace quillstone::test
