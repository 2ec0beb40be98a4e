#include "demo/DemoScript.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"

namespace quillstone::cli {

void DemoScript::AddDatedItem(Connection& conn) {
  conn.Execute(
      "insert into Inventory (cInvCode, cInvName, cInvStd, cInvCCode, cBarCode, cGroupCode, cComUnitCode, dSDate, "
      "bBarCode, bInvBatch, bInvQuality, iMassDate, bFree3) values "
      "('F003', '草莓酸奶', '200g', '0301001', '300003', '03', '0301', '2002-01-01', 1, 1, 1, 30, 1)");
}

void DemoScript::AddGs1Item(Connection& conn) {
  conn.Execute(
      "insert into Inventory (cInvCode, cInvName, cInvStd, cInvCCode, cBarCode, cGroupCode, cComUnitCode, dSDate, "
      "bBarCode, bInvBatch, bInvQuality, iMassDate) values "
      "('F005', '有机纯牛奶', '250ml', '0301', '6920000000012', '03', '0301', '2002-01-01', 1, 1, 1, 30)");
}

void DemoScript::AddSupplierItem(Connection& conn) {
  conn.Execute(
      "insert into Inventory (cInvCode, cInvName, cInvStd, cInvCCode, cBarCode, cGroupCode, cComUnitCode, dSDate, "
      "bBarCode, bInvBatch, bInvQuality, iMassDate) values "
      "('F004', '蓝莓酸奶', '200g', '0301001', '9506000134352', '03', '0301', '2002-01-01', 1, 1, 1, 180)");
}

std::string DemoScript::SupplierLabel(std::chrono::sys_days today) {
  return "(01)09506000134352(10)SUP2024A(11)" + FormatDate(today, "yymmdd") + "(17)" +
         FormatDate(today + std::chrono::days(180), "yymmdd") + "(21)C0001";
}

std::vector<nlohmann::json> DemoScript::Rules() {
  using nlohmann::json;
  return {
      json{{"ruleId", "PHONE"},
           {"ruleName", "手机串号"},
           {"length", 13},
           {"barCodeType", "Code 128"},
           {"description", "fixed prefix, item, running number"},
           {"items", json::array({
                         {{"itemType", "ISTFixed"}, {"length", 2}, {"relevantValue", "PH"}},
                         {{"itemType", "ISTInventory"}, {"length", 6}},
                         {{"itemType", "ISTSequence"}, {"length", 5}, {"relevantValue", "00001"}},
                     })}},
      json{{"ruleId", "FOOD"},
           {"ruleName", "食品批次码"},
           {"length", 31},
           {"barCodeType", "QR Code"},
           {"description", "item, batch, dates, origin, running number, check position"},
           {"items", json::array({
                         {{"itemType", "ISTInventory"}, {"length", 6}},
                         {{"itemType", "ISTBatch"}, {"length", 6}},
                         {{"itemType", "ISTMadeDate"}, {"length", 6}, {"relevantValue", "yymmdd"}},
                         {{"itemType", "ISTDisableDate"}, {"length", 6}, {"relevantValue", "yymmdd"}},
                         {{"itemType", "ISTFree3"}, {"length", 2}},
                         {{"itemType", "ISTSequence"}, {"length", 4}, {"relevantValue", "0001"}},
                         {{"itemType", "ISTCheck"}, {"length", 1}},
                     })}},
      json{{"ruleId", "SHIRT"},
           {"ruleName", "服装条码"},
           {"length", 12},
           {"barCodeType", "EAN-13"},
           {"description", "12 digits; the EAN-13 symbol adds its check digit"},
           {"items", json::array({
                         {{"itemType", "ISTFixed"}, {"length", 2}, {"relevantValue", "69"}},
                         {{"itemType", "ISTInventory"}, {"length", 6}},
                         {{"itemType", "ISTFree2"}, {"length", 1}},
                         {{"itemType", "ISTSequence"}, {"length", 3}, {"relevantValue", "001"}},
                     })}},
      json{{"ruleId", "GS1MILK"},
           {"ruleName", "乳品GS1码"},
           {"length", 46},
           {"barCodeType", "GS1 DataMatrix"},
           {"description", "GTIN, expiry, batch and serial as GS1 fields"},
           {"items", json::array({
                         {{"itemType", "ISTInventory"}, {"length", 14}, {"ai", "01"}},
                         {{"itemType", "ISTDisableDate"}, {"length", 6}, {"relevantValue", "yymmdd"}, {"ai", "17"}},
                         {{"itemType", "ISTBatch"}, {"length", 20}, {"ai", "10"}},
                         {{"itemType", "ISTSequence"}, {"length", 6}, {"relevantValue", "000001"}, {"ai", "21"}},
                     })}},
  };
}

std::vector<DemoScript::Assignment> DemoScript::Assignments() {
  return {
      {false, "01", "PHONE"},  // class 电子产品: every phone below it
      {false, "02", "SHIRT"},  // class 服装
      {true, "F003", "FOOD"},  // one item
      {true, "F005", "GS1MILK"},
  };
}

std::vector<DemoScript::Registration> DemoScript::Registrations() {
  return {
      {"P001", 3, "", false, 0, ""},          {"P002", 1, "", false, 0, ""},  {"F003", 2, "LOT001", true, 3, "北京"},
      {"F003", 2, "LOT002", true, 3, "上海"}, {"S001", 1, "", false, 2, "S"}, {"S001", 1, "", false, 2, "M"},
      {"S001", 1, "", false, 2, "L"},        {"F005", 3, "M2412A", true, 0, ""},
  };
}

}  // namespace quillstone::cli
