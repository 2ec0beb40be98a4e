// GS1 rules through the program: the AI of each item goes in and comes out of the rule JSON, and
// a rule whose items do not fit their AIs is refused with the library's message.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "support/BackendTest.h"

namespace quillstone::test {
namespace {

const char* const kGs1Rule = R"({"ruleId": "GS1", "ruleName": "药品", "length": 34, "barCodeType": "GS1 DataMatrix",
  "items": [{"itemType": "ISTInventory", "length": 14, "ai": "01"},
            {"itemType": "ISTBatch", "length": 8, "ai": "10"},
            {"itemType": "ISTDisableDate", "length": 6, "relevantValue": "yymmdd", "ai": "17"},
            {"itemType": "ISTSequence", "length": 6, "relevantValue": "000001", "ai": "21"}]})";

class CliGs1RulesTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    session_ = std::make_unique<CliSession>(connectionString(), dir.path());
    ASSERT_EQ(session_->Run({"init", "--demo"}).exitCode, 0);
  }

  ScratchDir dir;
  std::unique_ptr<CliSession> session_;
};

TEST_P(CliGs1RulesTest, AisGoInAndComeOutOfTheRuleJson) {
  ASSERT_EQ(session_->Run({"rule", "create", "-"}, kGs1Rule).exitCode, 0);
  auto shown = session_->Json({"rule", "show", "GS1"});
  std::vector<std::string> ais;
  for (const auto& item : shown["items"]) ais.push_back(item.value("ai", ""));
  EXPECT_EQ(ais, (std::vector<std::string>{"01", "10", "17", "21"}));
}

TEST_P(CliGs1RulesTest, RefusesARuleWhoseItemDoesNotFitItsAi) {
  std::string wrong = kGs1Rule;
  wrong.replace(wrong.find("\"17\""), 4, "\"11\"");
  session_->ExpectRefused({"rule", "create", "-"}, "生产日期", wrong);
}

QS_INSTANTIATE_BACKENDS(CliGs1RulesTest);

}  // namespace
}  // namespace quillstone::test
