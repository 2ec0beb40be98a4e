// `list` prints rows as it reads them: a table longer than one part keeps its header once and its
// columns, the JSON stays one array, and --limit stops reading past the limit.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/CliSession.h"

using namespace quillstone::test;

namespace {

class CliListingTest : public CliSqliteTest {
 protected:
  void SetUp() override {
    CliSqliteTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(cli.Run({"rule", "create", "-"},
                      R"({"ruleId": "LST", "ruleName": "l", "length": 10, "items": [{"itemType": "ISTInventory",
                          "length": 6}, {"itemType": "ISTSequence", "length": 4, "relevantValue": "0001"}]})")
                  .exitCode,
              0);
    ASSERT_EQ(cli.Run({"assign", "item", "P001", "LST"}).exitCode, 0);
    ASSERT_EQ(cli.Run({"register", "P001", "--count", "1205"}).exitCode, 0);
  }
  static int Lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
  }
};

TEST_F(CliListingTest, LongListsStreamInOneTableAndOneArray) {
  const auto table = cli.Run({"list"});
  ASSERT_EQ(table.exitCode, 0) << table.err;
  EXPECT_EQ(Lines(table.out), 2 + 1205);
  EXPECT_EQ(table.out.find("barcode"), 0u);
  EXPECT_EQ(table.out.find("barcode", 1), std::string::npos);  // one header
  EXPECT_NE(table.out.find("1000011205  P001"), std::string::npos);

  const auto all = cli.Json({"list"});
  ASSERT_EQ(all.size(), 1205u);
  EXPECT_EQ(all[1204]["barCode"], "1000011205");
  EXPECT_EQ(cli.Json({"list", "--rule", "NONE"}).size(), 0u);
}

TEST_F(CliListingTest, LimitSaysWhetherMoreMatch) {
  const auto some = cli.Run({"list", "--limit", "2"});
  EXPECT_EQ(Lines(some.out), 2 + 2 + 1);
  EXPECT_NE(some.out.find("(the first 2 shown; more registered barcodes match)"), std::string::npos);
  const auto exact = cli.Run({"list", "--limit", "1205"});
  EXPECT_EQ(exact.out.find("more registered"), std::string::npos);
  EXPECT_EQ(cli.Json({"list", "--limit", "3"}).size(), 3u);
}

}  // namespace
