// The list filter grammar on its own: what it accepts is written back qualified and bracketed,
// what it does not describe is refused with its place before any SQL runs, and parts that could
// fail on a row are put behind the data rights.
#include "quillstone/server/FilterCondition.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

std::string Sql(const std::string& filter, const FilterScope& scope = FilterScope::Registry(),
                std::size_t parameters = 0, Backend backend = Backend::Sqlite) {
  return FilterCondition(filter, parameters, scope).Sql(backend);
}

std::string Refusal(const std::string& filter, const FilterScope& scope = FilterScope::Registry(),
                    std::size_t parameters = 0) {
  return FailureText([&] { FilterCondition(filter, parameters, scope); }, "Error");
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(FilterConditionTest, AcceptedFiltersAreWrittenBackQualifiedAndBracketed) {
  const std::vector<std::pair<std::string, std::string>> registry = {
      {"cBatch='X'", "(InventoryBarCodeSet.cBatch = 'X')"},
      // A name both tables have means the registry's column; a qualified one means what it says.
      {"cInvCode='S001' and Inventory.cInvCode <> 'x'",
       "((InventoryBarCodeSet.cInvCode = 'S001') and (Inventory.cInvCode <> 'x'))"},
      {"CINVNAME like '%衫' or \"cBarCode\" != ?", "((InventoryBarCodeSet.cInvName like '%衫') or "
                                                   "(InventoryBarCodeSet.cBarCode <> ?))"},
      {"(bAbandon is null or bAbandon <> 1) and cFree1 not in ('黑色', '白色', -1)",
       "(((InventoryBarCodeSet.bAbandon is null) or (InventoryBarCodeSet.bAbandon <> 1)) and "
       "(InventoryBarCodeSet.cFree1 not in ('黑色', '白色', (-1))))"},
      {"lower(trim(cBatch)) like 'b%' and not fUnitCost between 1 and 2.5e0",
       "((lower(trim(InventoryBarCodeSet.cBatch)) like 'b%') and (not (InventoryBarCodeSet.fUnitCost between 1 and "
       "2.5e0)))"},
      // || and arithmetic rank differently on the two databases: the brackets say which is meant.
      {"cBatch || 'x' = cFree1 || 'y' and iMassDate * 2 + 1 > 3",
       "(((InventoryBarCodeSet.cBatch || 'x') = (InventoryBarCodeSet.cFree1 || 'y')) and "
       "(((InventoryBarCodeSet.iMassDate * 2) + 1) > 3))"},
      {"substring(cBatch, 1, 2) = 'AB' and cast(iMassDate as text) = '30' and coalesce(cWhCode, '') = ''",
       "((substr(InventoryBarCodeSet.cBatch, 1, 2) = 'AB') and (cast(InventoryBarCodeSet.iMassDate as text) = '30') "
       "and (coalesce(InventoryBarCodeSet.cWhCode, '') = ''))"},
      // Separators, comments, brackets and keywords inside strings are data.
      {"cBatch = 'a;b--c/*d select ) union ('' exists'", "(InventoryBarCodeSet.cBatch = 'a;b--c/*d select ) union ('' exists')"},
      {"bAbandon = true or cBatch is not null", "((InventoryBarCodeSet.bAbandon = true) or (InventoryBarCodeSet.cBatch is not null))"},
  };
  for (const auto& [filter, sql] : registry) EXPECT_EQ(Sql(filter, FilterScope::Registry(), Has(filter, "?") ? 1 : 0), sql) << filter;
  EXPECT_EQ(Sql("length > 7 and \"length\" < 9 and length(ruleName) = 2", FilterScope::Rules()),
            "((BarCodeRule.length > 7) and (BarCodeRule.length < 9) and (length(BarCodeRule.ruleName) = 2))");
  EXPECT_EQ(Sql("ruleId = 'R1' and cInvCName like '%' and ruleName <> ''", FilterScope::Assigns()),
            "((RuleAssign.ruleId = 'R1') and (InventoryClass.cInvCName like '%') and (BarCodeRule.ruleName <> ''))");
}

TEST(FilterConditionTest, WhatWasWrittenReadsBackToTheSameTree) {
  const std::vector<std::pair<std::string, std::size_t>> filters = {
      {"cBatch = 'it''s' or not (cInvCode in (?, 'b') and fUnitCost between -1 and ?)", 2},
      {"abs(-iMassDate) * (2 - 3) / 4 >= round(fUnitCost, 2) and replace(cBatch, 'a', 'b') like ?", 1},
      {"Inventory.cInvCode = cInvCode and cBatch is null or cBatch || 'x' = substring(cFree1, 1)", 0}};
  for (const auto& [filter, marks] : filters) {
    const FilterCondition first(filter, marks, FilterScope::Registry());
    const FilterCondition again(first.Sql(Backend::Sqlite), marks, FilterScope::Registry());
    EXPECT_EQ(again.Shape(), first.Shape()) << filter;
    EXPECT_EQ(again.Sql(Backend::Sqlite), first.Sql(Backend::Sqlite));
  }
}

TEST(FilterConditionTest, ServerFunctionsAndOtherWaysOutAreRefusedWithTheirPlace) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"\"lo_from_bytea\"(424242, cast('x' as bytea)) is not null and cBatch = 'A'", "函数名不能带引号"},
      {"\"pg_sleep\"(20) is not null", "函数名不能带引号"},
      {"cast(\"query_to_xml\"('select 1', false, true, '') as text) is not null", "函数名不能带引号"},
      {"pg_catalog.pg_sleep(1) is null", "'pg_catalog.pg_sleep'不是可以筛选的列"},
      {"U&\"\\0070g_sleep\"(1) is null", "带前缀的字符串"},
      {"set_config('standard_conforming_strings', 'off', false) = ''", "不允许的函数'set_config'"},
      {"pg_read_file('/etc/passwd') = ''", "不允许的函数'pg_read_file'"},
      {"randomblob(100000000) is null", "不允许的函数'randomblob'"},
      {"zeroblob(100000000) is null", "不允许的函数'zeroblob'"},
      {"printf('%.*c', 100000000, 'x') = ''", "不允许的函数'printf'"},
      {"cBatch::text = 'x'", "'::'"},
      {"cBatch collate \"C\" = 'x'", "却是'collate'"},
      {"cBatch = E'\\'' or 1=1", "带前缀的字符串"},
      {"cBatch = $$x$$", "不允许的字符'$'"},
      {"cInvCode in (select cInvCode from Inventory)", "不能含有子查询或其他语句"},
      {"exists (select 1 from HostUser)", "不能含有子查询或其他语句"},
      {"HostUser.cUserId = 'x'", "'hostuser.cuserid'不是可以筛选的列"},
      {"cPassword = 'x'", "'cpassword'不是可以筛选的列"},
      {"1=1; delete from InventoryBarCodeSet", "语句分隔符"},
      {"1=1 -- x", "注释"},
      {"1=1) or (1=1", "括号不配对"},
      {"(1=1", "括号不配对"},
      {"cBatch = 0x10", "数字'0x'无效"},
      {"cast(cBatch as bytea) = ''", "cast只能转换为"},
      {"cBatch = 'open", "没有结束"},
      {"cBatch in (cInvCode)", "应为"},
      {"cBatch = 1 = 1", "却是'='"},
      {"lower(cBatch, 'x') = ''", "应有1个参数"},
      {"cBatch = \"cInvCode\"(1)", "函数名不能带引号"},
  };
  for (const auto& [filter, why] : refused) {
    const std::string message = Refusal(filter);
    EXPECT_TRUE(Has(message, why)) << filter << "\n" << message;
    EXPECT_TRUE(Has(message, "过滤条件'")) << message;
  }
  EXPECT_TRUE(Has(Refusal("cBatch = 'x' or pg_sleep(5) is null"), "在第17个字符处调用了不允许的函数'pg_sleep'"));
}

TEST(FilterConditionTest, FiltersThatWouldBuildHugeTextOrNestTooDeepAreRefused) {
  // Each replace() multiplies what it is given: three of them nested reach gigabytes.
  const std::string big(900, 'y');
  const std::string nested = "replace(replace(replace(cInvName, 'a', '" + big + "'), 'y', '" + big + "'), 'y', '" +
                             big + "') = ''";
  EXPECT_TRUE(Has(Refusal(nested), "可能产生长达"));
  EXPECT_NO_THROW(Sql("replace(cInvName, 'a', 'bb') = ''"));
  EXPECT_TRUE(Has(Refusal(std::string(100, '(') + "1=1" + std::string(100, ')')), "嵌套太深"));
  EXPECT_TRUE(Has(Refusal(std::string(200, '+') + "1 = 1"), "嵌套太深"));
}

TEST(FilterConditionTest, LengthMarksAndBlankFilters) {
  // The limit counts the caller's own text.
  const std::string longest = "cBatch = '" + std::string(FilterCondition::kMaxLength - 11, 'x') + "'";
  EXPECT_NO_THROW(FilterCondition(longest, 0, FilterScope::Registry()));
  EXPECT_TRUE(Has(Refusal(longest + " "), "太长：4001字节"));
  EXPECT_TRUE(Has(Refusal(std::string("a = 1\0 or 1=1", 13)), "NUL"));
  EXPECT_TRUE(Has(Refusal("a = '\xff'"), "UTF-8"));

  EXPECT_EQ(Sql("cBatch = ? and cInvCode = ?", FilterScope::Registry(), 2),
            "((InventoryBarCodeSet.cBatch = ?) and (InventoryBarCodeSet.cInvCode = ?))");
  EXPECT_TRUE(Has(Refusal("cBatch = ?"), "中有1个参数标记'?'，但给出了0个参数值"));
  EXPECT_TRUE(Has(Refusal("cBatch = '?'", FilterScope::Registry(), 1), "参数标记"));

  for (const std::string blank : {"", "   ", " \t\r\n"}) {
    const FilterCondition none(blank, 0, FilterScope::Registry());
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.Sql(Backend::Postgres, "guard"), "");
  }
}

TEST(FilterConditionTest, StringsAreQuotedTheWayEachDatabaseReadsThem) {
  EXPECT_EQ(Sql("cBatch = 'a\\' and cFree1 = 'it''s'", FilterScope::Registry(), 0, Backend::Postgres),
            "((InventoryBarCodeSet.cBatch = E'a\\\\') and (InventoryBarCodeSet.cFree1 = 'it''s'))");
  EXPECT_EQ(Sql("cBatch = 'a\\'", FilterScope::Registry(), 0, Backend::Sqlite), "(InventoryBarCodeSet.cBatch = 'a\\')");
}

TEST(FilterConditionTest, PartsThatCanFailOnARowWaitForTheGuard) {
  const FilterCondition filter("cInvCode = 'P1' and cast(cInvName as integer) = 1 and cBatch like cFree1", 0,
                               FilterScope::Registry());
  EXPECT_EQ(filter.Sql(Backend::Sqlite, "R"),
            "((InventoryBarCodeSet.cInvCode = 'P1') and (case when R then (cast(InventoryBarCodeSet.cInvName as integer) "
            "= 1) else false end) and (case when R then (InventoryBarCodeSet.cBatch like InventoryBarCodeSet.cFree1) "
            "else false end))");
  // Under "or" the whole condition is one part.
  EXPECT_EQ(FilterCondition("cBatch = 'x' or 1/iMassDate = 1", 0, FilterScope::Registry()).Sql(Backend::Sqlite, "R"),
            "(case when R then ((InventoryBarCodeSet.cBatch = 'x') or ((1 / InventoryBarCodeSet.iMassDate) = 1)) else "
            "false end)");
}

TEST(FilterConditionTest, AProgramMayCheckACallersConditionAlone) {
  EXPECT_NO_THROW(FilterCondition::RequireOneCondition("anything = 1 and Some.column like 'x'"));
  EXPECT_TRUE(Has(FailureText([] { FilterCondition::RequireOneCondition("1=1) or (1=1"); }, "Error"), "括号不配对"));
}

}  // namespace
