// What the global options and the property options carry into the library: every property
// option reaches the registry and decodes back, the login date and the user decide what may be
// registered and seen, and a run of registrations that fails part-way says what it stored.
#include <gtest/gtest.h>

#include <string>

#include "cli/CliSession.h"

namespace quillstone::test {
namespace {

using CliPropertiesTest = CliSqliteTest;

// Every master-data, date and literal source of one item (F001 keeps batches and a shelf life).
const char* const kFullRule = R"({"ruleId": "FULL", "ruleName": "全部属性", "length": 43, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTWarehouse", "length": 2},
            {"itemType": "ISTPosition", "length": 3}, {"itemType": "ISTVendor", "length": 3},
            {"itemType": "ISTInventoryUnit", "length": 2}, {"itemType": "ISTUnitCost", "length": 6, "relevantValue": "2"},
            {"itemType": "ISTMadeDate", "length": 6, "relevantValue": "yymmdd"},
            {"itemType": "ISTDisableDate", "length": 6, "relevantValue": "yymmdd"},
            {"itemType": "ISTMassDay", "length": 3, "relevantValue": "天数"}, {"itemType": "ISTBatch", "length": 6}]})";

const char* const kFreeRule = R"({"ruleId": "FREE", "ruleName": "自由项", "length": 11, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTFree1", "length": 2},
            {"itemType": "ISTFree2", "length": 1}, {"itemType": "ISTFree3", "length": 2}]})";

TEST_F(CliPropertiesTest, EveryPropertyOptionReachesTheRegistryAndDecodesBack) {
  ASSERT_EQ(cli.Run({"rule", "create", "-"}, kFullRule).exitCode, 0);
  ASSERT_EQ(cli.Run({"assign", "item", "F001", "FULL"}).exitCode, 0);

  auto sets = cli.Json({"register", "F001",       "--warehouse",  "01",     "--position", "0101",   "--vendor",
                        "V002",     "--unit",     "0302",         "--cost", "12.5",       "--made", "2003-5-1",
                        "--expiry", "2003-05-31", "--shelf-life", "30",     "--batch",    "LOT777"});
  ASSERT_EQ(sets.size(), 1u);
  // item, warehouse, position, vendor, unit, cost x 100, made, expiry, shelf life, batch
  const std::string code =
      "300001"
      "51"
      "611"
      "902"
      "32"
      "001250"
      "030501"
      "030531"
      "030"
      "LOT777";
  EXPECT_EQ(sets[0]["barCode"], code);
  // The production date is stored as the day it names, written yyyy-mm-dd.
  EXPECT_EQ(cli.Json({"show", code})["invInfo"]["madeDate"], "2003-05-01");

  const auto info = cli.Json({"decode", code})["invInfo"];
  EXPECT_EQ(info["inventoryId"], "F001");
  EXPECT_EQ(info["warehouseId"], "01");
  EXPECT_EQ(info["invPositionId"], "0101");
  EXPECT_EQ(info["vendorId"], "V002");
  EXPECT_EQ(info["unit"], "0302");
  EXPECT_DOUBLE_EQ(info["unitCost"].get<double>(), 12.5);
  EXPECT_EQ(info["madeDate"], "2003-05-01");
  EXPECT_EQ(info["disableDate"], "2003-05-31");
  EXPECT_EQ(info["massDay"], 30);
  EXPECT_EQ(info["batchNo"], "LOT777");

  cli.ExpectRefused({"verify", code, "--warehouse", "02"},
                    "条码信息与当前仓库不一致，条码信息中的仓库为'01',当前仓库为'02'");
  cli.ExpectRefused({"register", "F001", "--warehouse", "01", "--position", "0201", "--batch", "LOT777"},
                    "货位'0201'不是仓库'01'的货位");
}

TEST_F(CliPropertiesTest, FreeItemsTravelByTheirOwnOptions) {
  ASSERT_EQ(cli.Run({"rule", "create", "-"}, kFreeRule).exitCode, 0);
  ASSERT_EQ(cli.Run({"assign", "item", "S001", "FREE"}).exitCode, 0);
  auto sets = cli.Json({"register", "S001", "--free1", "黑色", "--free2", "XL", "--free3", "广州"});
  ASSERT_EQ(sets.size(), 1u);
  const std::string code = sets[0]["barCode"];
  EXPECT_EQ(code, "200001014GZ");

  const auto info = cli.Json({"decode", code})["invInfo"];
  EXPECT_EQ(info["free1"], "黑色");
  EXPECT_EQ(info["free2"], "XL");
  EXPECT_EQ(info["free3"], "广州");
  // The refusal names the free item by its own name.
  cli.ExpectRefused({"verify", code, "--free2", "M"},
                    "条码信息与当前尺码不一致 ，条码信息中的尺码为'XL',当前尺码为'M'");
}

TEST_F(CliPropertiesTest, LoginDateAndUserDecideWhatMayBeRegisteredAndSeen) {
  ASSERT_EQ(
      cli.Run({"rule", "create", "-"},
              R"({"ruleId": "PH", "ruleName": "手机", "length": 9, "items": [{"itemType": "ISTInventory", "length": 6},
                        {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})")
          .exitCode,
      0);
  ASSERT_EQ(cli.Run({"assign", "class", "0101001", "PH"}).exitCode, 0);

  // P003 stopped on 2003-01-01: refused today, accepted on a login date before that.
  cli.ExpectRefused({"register", "P003"}, "存货'P003'已经停用，不能用于生成条码");
  auto old = cli.Json({"--login-date", "2002-12-01", "register", "P003"});
  ASSERT_EQ(old.size(), 1u);
  ASSERT_EQ(cli.Json({"register", "P001"}).size(), 1u);

  // User limited sees items 1 and 2 only (P001, P002): P003's barcode is not there for it.
  EXPECT_EQ(cli.Json({"list"}).size(), 2u);
  auto limited = cli.Json({"--user", "limited", "list"});
  ASSERT_EQ(limited.size(), 1u);
  EXPECT_EQ(limited[0]["invInfo"]["inventoryId"], "P001");
  cli.ExpectRefused({"--user", "limited", "show", old[0]["barCode"].get<std::string>()}, "用户limited没有对它的访问权限");

  auto none = cli.Run({"--json", "assign", "find", "H001"});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_TRUE(none.Json().is_null());
}

TEST_F(CliPropertiesTest, ARunThatFailsPartWaySaysWhatItStored) {
  // A one-digit running number from 1 has nine numbers; chunks of four store 1-4 and 5-8, and
  // the third chunk runs out of numbers and stores nothing.
  ASSERT_EQ(
      cli.Run({"rule", "create", "-"},
              R"({"ruleId": "RUNS", "ruleName": "w", "length": 7, "items": [{"itemType": "ISTInventory", "length": 6},
                        {"itemType": "ISTSequence", "length": 1, "relevantValue": "1"}]})")
          .exitCode,
      0);
  ASSERT_EQ(cli.Run({"assign", "item", "P002", "RUNS"}).exitCode, 0);
  auto run = cli.Run({"register", "P002", "--count", "12", "--chunk", "4"});
  ExpectFailure(run, "流水号溢出.");
  EXPECT_NE(run.err.find("Registered 8 of 12 barcodes before the failure: 1000021 1000022"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("1000028\n"), std::string::npos) << run.err;
  EXPECT_EQ(cli.Json({"list"}).size(), 8u);
}

}  // namespace
}  // namespace quillstone::test
