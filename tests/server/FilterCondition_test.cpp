// The list filter check on its own: plain conditions pass as written, every way out of one
// condition is refused before SQL runs, and names both joined tables have get their owner.
#include "quillstone/server/FilterCondition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

std::string Refusal(const std::string& filter, std::size_t parameters = 0) {
  return FailureText([&] { FilterCondition::Checked(filter, parameters); }, "Error");
}

TEST(FilterConditionTest, PlainConditionsPassAsWritten) {
  for (const std::string filter : {
           "cBatch='X'",
           "Inventory.cInvCode<>'P001'",
           "RuleAssign.ruleId = 'R1' and assignType <> 1",
           "(bAbandon is null or bAbandon <> 1) and cFree1 in ('黑色', '白色')",
           "lower(trim(cBatch)) like 'b%' and not (fUnitCost between 1 and 2.5)",
           "coalesce(cWhCode, '') = '' or length(cBatch) > 3",
           // Separators, comments, brackets and keywords inside strings and quoted names are data.
           "cBatch = 'a;b--c/*d select ) union ('' exists'",
           "\"index\" = 2",
       }) {
    EXPECT_EQ(FilterCondition::Checked(filter), filter);
  }
}

TEST(FilterConditionTest, WaysOutOfOneConditionAreRefused) {
  EXPECT_NE(Refusal("1=1; drop table InventoryBarCodeSet").find("语句分隔符"), std::string::npos);
  for (const std::string filter : {"1=1 --", "1=1 /* x */", "1=1 */"})
    EXPECT_NE(Refusal(filter).find("注释"), std::string::npos) << filter;
  for (const std::string filter : {"1=1) or (1=1", "(1=1", "a=1)", ")("})
    EXPECT_NE(Refusal(filter).find("括号不配对"), std::string::npos) << filter;
  for (const std::string filter : {"0 union select cUserId from HostUser", "exists (select 1 from HostUser)",
                                   "cInvCode in (SeLeCt cInvCode from Inventory)", "x in (table HostUser)",
                                   "1=1 union all values (1)", "a = 1 order by 1"})
    EXPECT_NE(Refusal(filter).find("不能含有子查询或其他语句"), std::string::npos) << filter;
}

TEST(FilterConditionTest, OnlyPlainFunctionsMayBeCalled) {
  for (const std::string filter :
       {"pg_sleep(10) is null", "randomblob (100000000) = x", "load_extension('x') = 1", "version() like '%'",
        "current_setting('x') = ''", "pg_read_file('/etc/passwd') = ''"})
    EXPECT_NE(Refusal(filter).find("不允许的函数"), std::string::npos) << filter;
  EXPECT_EQ(FilterCondition::Checked("upper(cBatch) = 'X' and cast(iMassDate as integer) > 1"),
            "upper(cBatch) = 'X' and cast(iMassDate as integer) > 1");
}

TEST(FilterConditionTest, TextTheScannerCannotReadTheWayTheServerDoesIsRefused) {
  // Prefixed strings read backslashes as escapes; other quotings hide brackets from the check.
  for (const std::string filter : {"cBatch = E'\\'' or 1=1", "cBatch = X'41'"})
    EXPECT_NE(Refusal(filter).find("带前缀的字符串"), std::string::npos) << filter;
  for (const std::string filter : {"cBatch = 'open", "\"cBatch = 1", "cBatch = 'it''s"})
    EXPECT_NE(Refusal(filter).find("没有结束"), std::string::npos) << filter;
  for (const std::string filter : {"[a)] = 1", "`a` = 1", "a = $$x$$", "a = 1 # x", "a = @v", "a = \\x"})
    EXPECT_NE(Refusal(filter).find("不允许的字符"), std::string::npos) << filter;
  EXPECT_NE(Refusal(std::string("a = 1\0 or 1=1", 13)).find("NUL"), std::string::npos);
  EXPECT_NE(Refusal("a = '\xff'").find("UTF-8"), std::string::npos);
  EXPECT_NE(Refusal(std::string(5000, ' ') + "a=1").find("太长"), std::string::npos);
}

TEST(FilterConditionTest, MarksMustMatchTheValuesGiven) {
  EXPECT_EQ(FilterCondition::Checked("cBatch = ? and cInvCode = ?", 2), "cBatch = ? and cInvCode = ?");
  EXPECT_NE(Refusal("cBatch = ?").find("参数标记"), std::string::npos);
  EXPECT_NE(Refusal("cBatch = 'x'", 1).find("参数标记"), std::string::npos);
  // A mark inside a string is text, not a mark.
  EXPECT_EQ(FilterCondition::Checked("cBatch = '?'"), "cBatch = '?'");
}

TEST(FilterConditionTest, SharedNamesMeanTheRegistrysColumns) {
  const auto& owners = FilterCondition::RegistryOwners();
  EXPECT_EQ(FilterCondition::Checked("cInvCode='S001'", 0, owners), "InventoryBarCodeSet.cInvCode='S001'");
  EXPECT_EQ(FilterCondition::Checked("CINVNAME like '%衫' and Inventory.cInvCode <> 'x'", 0, owners),
            "InventoryBarCodeSet.CINVNAME like '%衫' and Inventory.cInvCode <> 'x'");
  EXPECT_EQ(FilterCondition::Checked("lower(\"cBarCode\") = 'a' and Inventory . cBarCode = cBatch", 0, owners),
            "lower(InventoryBarCodeSet.\"cBarCode\") = 'a' and Inventory . cBarCode = cBatch");
  EXPECT_EQ(FilterCondition::Checked("cBatch = 'cInvCode'", 0, owners), "cBatch = 'cInvCode'");
}

TEST(FilterConditionTest, MessagesShowALongFilterShortened) {
  const std::string message = Refusal(std::string(3000, 'a') + ";");
  EXPECT_LT(message.size(), 400u);
  EXPECT_NE(message.find("…"), std::string::npos);
}

}  // namespace
