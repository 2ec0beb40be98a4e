// The program's contract with scripts: exit codes (0 done, 1 failed, 2 usage), where messages go,
// and tables that line up with Chinese text.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"

namespace quillstone::test {
namespace {

using CliDatabase = CliSqliteTest;

const char* const kInventoryRule =
    R"({"ruleId": "R1", "ruleName": "n", "length": 6, "items": [{"itemType": 0, "length": 6}]})";

TEST(CliUsageTest, UsageErrorsExitTwoWithTheHelpOfTheCommandTyped) {
  auto none = CliProcess::Run({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("Usage: quillstone"), std::string::npos) << none.err;

  auto missing = CliProcess::Run({"register"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("ITEM is required"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("Usage: quillstone register"), std::string::npos) << missing.err;

  EXPECT_EQ(CliProcess::Run({"register", "P001", "--count", "0"}).exitCode, 2);
  EXPECT_EQ(CliProcess::Run({"register", "P001", "--shelf-life", "many"}).exitCode, 2);
  EXPECT_EQ(CliProcess::Run({"rule"}).exitCode, 2);
  EXPECT_EQ(CliProcess::Run({"list", "--no-such-option"}).exitCode, 2);

  auto help = CliProcess::Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("demo"), std::string::npos);
}

TEST(CliUsageTest, AMissingDatabaseFileIsReportedAndNotCreated) {
  ScratchDir dir;
  const auto db = dir / "absent.db";
  ExpectFailure(CliProcess::Run({"--db", "sqlite:" + db.string(), "list"}), "quillstone init");
  EXPECT_FALSE(std::filesystem::exists(db));
}

TEST_F(CliDatabase, InitLeavesADatabaseWithTablesAlone) {
  cli.ExpectRefused({"init"}, "数据库中已经有条码表");
  EXPECT_EQ(cli.Json({"rule", "types"}).size(), 8u);
}

TEST_F(CliDatabase, LibraryRefusalsReachStderrInChineseWithExitOne) {
  cli.ExpectRefused({"--login-date", "2003-02-30", "list"}, "登录日期不是合法的日期值");
  cli.ExpectRefused({"rule", "check", "-"}, "规则名称不能为空", R"({"ruleId": "R1", "length": 4, "items": []})");
  cli.ExpectRefused({"rule", "check", "-"}, "规则项目长度设置不等于规则总长度",
                    R"({"ruleId": "R1", "ruleName": "n", "length": 10, "items": [
                        {"itemType": "ISTInventory", "length": 4}, {"itemType": "ISTBatch", "length": 5}]})");
  cli.ExpectRefused({"--user", "clerk", "rule", "create", "-"}, "您没有新建条码规则的权限.", kInventoryRule);
  cli.ExpectRefused({"decode", "12345", "--rule", "NONE"}, "条码规则'NONE'不存在");
  cli.ExpectRefused({"abandon", "NOSUCHCODE"}, "指定的条形码不存在或者没有权限,条形码=NOSUCHCODE");
}

TEST_F(CliDatabase, RuleFilesThatAreNotRulesAreRefusedBeforeTheLibrarySeesThem) {
  cli.ExpectRefused({"rule", "create", "-"}, "不是有效的JSON", "{ not json");
  cli.ExpectRefused({"rule", "create", "-"}, "第1个规则项：itemType 'ISTNothing'",
                    R"({"ruleId": "R", "items": [{"itemType": "ISTNothing", "length": 1}]})");
  cli.ExpectRefused({"rule", "create", "-"}, "'length'必须是-32768到32767之间的整数", R"({"ruleId": "R", "length": 40000})");
  cli.ExpectRefused({"rule", "create", (dir / "missing.json").string()}, "无法读取规则文件");
  // Nothing half-made was stored.
  EXPECT_TRUE(cli.Json({"rule", "list"}).empty());
}

TEST_F(CliDatabase, TablesLineUpChineseAndLatinText) {
  for (const char* rule : {R"({"ruleId": "A", "ruleName": "手机串号条码", "length": 6, "barCodeType": "QR Code",
                               "items": [{"itemType": "ISTInventory", "length": 6}]})",
                           R"({"ruleId": "LONGER", "ruleName": "ab", "length": 6, "barCodeType": "Code 128",
                               "items": [{"itemType": "ISTInventory", "length": 6}]})"})
    ASSERT_EQ(cli.Run({"rule", "create", "-"}, rule).exitCode, 0);
  auto list = cli.Run({"rule", "list"});
  ASSERT_EQ(list.exitCode, 0);

  // Each row's type column starts at the same terminal column as the header's.
  std::istringstream lines(list.out);
  std::string line;
  std::vector<int> starts;
  while (std::getline(lines, line)) {
    EXPECT_TRUE(line.empty() || line.back() != ' ') << "[" << line << "]";
    for (const std::string type : {"type  ", "QR Code", "Code 128"}) {
      const auto at = line.find(type);
      if (at != std::string::npos) starts.push_back(TerminalWidth(line.substr(0, at)));
    }
  }
  ASSERT_EQ(starts.size(), 3u) << list.out;
  EXPECT_EQ(starts[0], starts[1]) << list.out;
  EXPECT_EQ(starts[0], starts[2]) << list.out;
}

}  // namespace
}  // namespace quillstone::test
