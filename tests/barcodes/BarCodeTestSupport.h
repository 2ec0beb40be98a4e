// Shared by the barcode manager tests: a started system over the demo data with its barcode
// manager at hand, rules stored with plain SQL (so a test needs only LoadRule of the rule store),
// registry rows written directly, and a look at the registry from a connection of its own.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/rules/clsRuleManager.h"
#include "support/CaughtError.h"
#include "support/SegmentDef.h"
#include "support/SystemTest.h"

class BarCodeTest : public SystemTest {
 protected:
  using Variant = quillstone::Variant;

  void Started() override { bm = sys.GetBarCodeManager(); }

  void StoreRule(const std::string& ruleId, const std::vector<quillstone::test::SegmentDef>& items,
                 const std::string& barCodeType = "1") {
    int16_t length = 0;
    for (const auto& item : items) length = static_cast<int16_t>(length + item.length);
    conn->Execute("insert into BarCodeRule(ruleId,ruleName,length,barcodeType,description) values(?,?,?,?,'')",
                  {Variant(ruleId), Variant("规则" + ruleId), Variant(length), Variant(barCodeType)});
    int32_t index = 0;
    for (const auto& item : items) {
      conn->Execute(
          "insert into BarCodeRuleItem(ruleId,\"index\",length,itemSourceType,relevantValue,ai) values(?,?,?,?,?,?)",
          {Variant(ruleId), Variant(++index), Variant(int32_t{item.length}), Variant(int32_t{item.type}),
           Variant(item.relevantValue), Variant(item.ai)});
    }
  }

  // F001 keeps its GTIN-13 9506000134352 in master data; rule G1 prints its GTIN, expiry, batch
  // and serial (from 000041) as GS1 DataMatrix, in the order a label designer might list them.
  void StoreGs1YogurtRule() {
    conn->Execute("update Inventory set cBarCode = '9506000134352' where cInvCode = 'F001'");
    StoreRule("G1",
              {{quillstone::ISTInventory, 14, "", "01"},
               {quillstone::ISTDisableDate, 6, "yymmdd", "17"},
               {quillstone::ISTBatch, 20, "", "10"},
               {quillstone::ISTSequence, 6, "000041", "21"}},
              "7");
  }

  // An assignment record in memory: registration does not look it up.
  static std::shared_ptr<quillstone::clsInventoryAssign> Assign(const std::string& ruleId,
                                                                const std::string& assignId = "A0001") {
    auto assign = std::make_shared<quillstone::clsInventoryAssign>();
    assign->setAssignId(assignId);
    assign->setRuleId(ruleId);
    return assign;
  }

  static std::shared_ptr<quillstone::clsInventoryInfo> Inv(const std::string& code) {
    auto inv = std::make_shared<quillstone::clsInventoryInfo>();
    inv->setInventoryId(code);
    return inv;
  }

  // A barcode of the rule with the given segment values, as a scanner front end would make it.
  std::shared_ptr<quillstone::clsBarCode> BarCodeOf(const std::string& ruleId, const std::vector<std::string>& values) {
    auto barCode = sys.GetRuleManager()->LoadRule(ruleId)->CreateBarCode();
    for (std::size_t i = 0; i < values.size(); ++i)
      barCode->items()->Item(static_cast<int>(i + 1))->setValue(values[i]);
    return barCode;
  }

  void InsertRow(const std::string& barCode, const std::string& invCode,
                 const std::map<std::string, Variant>& columns = {}) {
    std::string names = "cBarCode,cInvCode,cRuleId,cAssignId,dCreateDate";
    std::string marks = "?,?,'R0','A0','2003-06-01'";
    std::vector<Variant> values = {Variant(barCode), Variant(invCode)};
    for (const auto& [name, value] : columns) {
      names += "," + name;
      marks += ",?";
      values.push_back(value);
    }
    conn->Execute("insert into InventoryBarCodeSet(" + names + ") values(" + marks + ")", values);
  }

  // Read over a connection of its own, so it sees only what was committed.
  Variant Stored(const std::string& sql, const std::vector<Variant>& params = {}) {
    auto other = quillstone::Connection::Open(connectionString());
    auto rs = other->Query(sql, params);
    return rs->IsEOF() ? Variant(Variant::Null) : rs->Field(0);
  }
  int64_t Registered(const std::string& barCode) {
    return Stored("select count(*) from InventoryBarCodeSet where cBarCode = ?", {Variant(barCode)}).toInt64();
  }
  void MarkUsed(const std::string& barCode) {
    conn->Execute("insert into BarCodeUsage(cBarCode,cDocType,cDocCode,iRowNo) values(?,'入库单','0000001',1)",
                  {Variant(barCode)});
  }

  std::shared_ptr<quillstone::clsBarCodeManager> bm;
};
