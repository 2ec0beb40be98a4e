// The program over both databases: rules as JSON, assignments, registration with running
// numbers, decoding, verification and registry maintenance, each read back through --json.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "support/BackendTest.h"

namespace quillstone::test {
namespace {

const char* const kBatchRule = R"({"ruleId": "BATCH", "ruleName": "批次条码", "length": 15, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTBatch", "length": 6},
            {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})";

class CliWorkflowTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    session_ = std::make_unique<CliSession>(connectionString(), dir.path());
    ASSERT_EQ(Run({"init", "--demo"}).exitCode, 0);
  }
  CliResult Run(const std::vector<std::string>& args, const std::string& input = "") {
    return session_->Run(args, input);
  }
  nlohmann::json Json(const std::vector<std::string>& args, const std::string& input = "") {
    return session_->Json(args, input);
  }
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message, const std::string& input = "") {
    session_->ExpectRefused(args, message, input);
  }

  ScratchDir dir;

 private:
  std::unique_ptr<CliSession> session_;
};

TEST_P(CliWorkflowTest, RegistersWithRunningNumbersThenDecodesAndVerifies) {
  ASSERT_EQ(Run({"rule", "create", "-"}, kBatchRule).exitCode, 0);
  auto assign = Json({"assign", "item", "P001", "BATCH"});
  EXPECT_EQ(assign["assignType"], "item");
  EXPECT_EQ(assign["target"], "P001");
  EXPECT_EQ(assign["assignId"].get<std::string>().size(), 16u);

  auto sets = Json({"register", "P001", "--batch", "LOT001", "--count", "3"});
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(sets[0]["barCode"], "100001LOT001001");
  EXPECT_EQ(sets[2]["barCode"], "100001LOT001003");
  EXPECT_EQ(sets[0]["invInfo"]["inventoryName"], "智能手机X1");
  EXPECT_EQ(sets[0]["assignId"], assign["assignId"]);

  // Piped output gets no progress bar, only the table.
  auto text = Run({"register", "P001", "--batch", "LOT002", "--count", "2"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_EQ(text.out.find('\r'), std::string::npos);
  EXPECT_NE(text.out.find("100001LOT002005"), std::string::npos) << text.out;
  EXPECT_EQ(Json({"list"}).size(), 5u);
  EXPECT_EQ(Json({"list", "--filter", "cBatch = 'LOT002'"}).size(), 2u);

  const std::string code = "100001LOT001002";
  auto decoded = Json({"decode", code});
  EXPECT_EQ(decoded["ruleId"], "BATCH");
  EXPECT_EQ(decoded["invInfo"]["inventoryId"], "P001");
  EXPECT_EQ(decoded["invInfo"]["batchNo"], "LOT001");

  EXPECT_EQ(Json({"verify", code, "--batch", "LOT001"})["verified"], true);
  ExpectRefused({"verify", code, "--batch", "LOT009"},
                "条码信息与当前批号不一致，条码信息中的批号为'LOT001',当前批号为'LOT009'");
  ExpectRefused({"verify", code, "--item", "P002"}, "条码信息与当前存货编码不一致");
}

TEST_P(CliWorkflowTest, AbandonsReusesAndRemovesRegisteredBarcodes) {
  ASSERT_EQ(Run({"rule", "create", "-"}, kBatchRule).exitCode, 0);
  ASSERT_EQ(Run({"assign", "item", "P001", "BATCH"}).exitCode, 0);
  auto sets = Json({"register", "P001", "--batch", "LOT001", "--count", "2"});
  ASSERT_EQ(sets.size(), 2u);
  const std::string code = sets[0]["barCode"];

  ASSERT_EQ(Run({"abandon", code}).exitCode, 0);
  ExpectRefused({"verify", code}, "已被封存，不能使用");
  ExpectRefused({"abandon", code}, "该条形码没有处于正常的使用状态，不能废弃");
  ASSERT_EQ(Run({"reuse", code}).exitCode, 0);
  EXPECT_EQ(Json({"verify", code})["verified"], true);
  EXPECT_EQ(Json({"in-use", code})["inUse"], false);

  ASSERT_EQ(Run({"remove", code}).exitCode, 0);
  EXPECT_EQ(Run({"show", code}).exitCode, 1);
  auto left = Json({"list"});
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0]["barCode"], sets[1]["barCode"]);
}

TEST_P(CliWorkflowTest, RulesRoundTripThroughJsonUntilTheyAreInUse) {
  ASSERT_EQ(Run({"rule", "create", "-"}, kBatchRule).exitCode, 0);
  ExpectRefused({"rule", "create", "-"}, "条码规则编号重复", kBatchRule);
  ExpectRefused({"rule", "show", "NONE"}, "条码规则'NONE'不存在");

  // What `show --json` writes, `save` reads back.
  auto shown = Json({"rule", "show", "BATCH"});
  ASSERT_EQ(shown["items"].size(), 3u);
  EXPECT_EQ(shown["items"][1]["start"], 7);
  EXPECT_EQ(shown["content"], "存货(6)+批号(6)+流水号(3)");
  shown["ruleName"] = "改名";
  ASSERT_EQ(Run({"rule", "save", "-"}, shown.dump()).exitCode, 0);
  auto saved = Json({"rule", "show", "BATCH"});
  EXPECT_EQ(saved["ruleName"], "改名");
  EXPECT_EQ(saved["items"], shown["items"]);

  auto assigned = Json({"assign", "class", "01", "BATCH"});
  EXPECT_EQ(assigned["targetName"], "电子产品");
  auto found = Json({"assign", "find", "P002"});
  EXPECT_EQ(found["assignType"], "class");
  EXPECT_EQ(found["target"], "01");
  EXPECT_EQ(Run({"assign", "find", "H001"}).exitCode, 1);

  ExpectRefused({"rule", "save", "-"}, "该条码规则已被使用，不能修改", saved.dump());
  ExpectRefused({"rule", "remove", "BATCH"}, "该条码规则已被使用，不能删除");

  ASSERT_EQ(Run({"assign", "remove", assigned["assignId"].get<std::string>()}).exitCode, 0);
  EXPECT_TRUE(Json({"assign", "list"}).empty());
  ASSERT_EQ(Run({"rule", "remove", "BATCH"}).exitCode, 0);
  EXPECT_TRUE(Json({"rule", "list"}).empty());
}

QS_INSTANTIATE_BACKENDS(CliWorkflowTest);

}  // namespace
}  // namespace quillstone::test
