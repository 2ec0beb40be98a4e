// Shared by the rule manager tests: building rules in memory, and a started system over the demo
// data with its rule manager at hand.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/rules/clsRuleManager.h"
#include "support/CaughtError.h"
#include "support/SegmentDef.h"
#include "support/SystemTest.h"

namespace quillstone {

// Fixes the clock and the random numbers behind the assignment codes of a rule manager.
class RuleManagerTestAccess {
 public:
  static void FixClock(clsRuleManager& rm, const std::tm& now) {
    rm.localNow_ = [now] { return now; };
  }
  static void SetRandom(clsRuleManager& rm, std::function<float()> random) { rm.nextRandom_ = std::move(random); }
  static std::string NewAssignId(clsRuleManager& rm) { return rm.NewAssignId(); }
  static int16_t Counter(const clsRuleManager& rm) { return rm.assignCounter_; }
  static void SetCounter(clsRuleManager& rm, int16_t counter) { rm.assignCounter_ = counter; }
};

}  // namespace quillstone

namespace quillstone::test {

// 18 January 2003, 09:05:07.
inline std::tm SampleTime() {
  std::tm t{};
  t.tm_year = 103;
  t.tm_mon = 0;
  t.tm_mday = 18;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  return t;
}

inline std::shared_ptr<clsBarCodeRule> MakeRule(const std::string& id, const std::string& name, int16_t length,
                                                const std::vector<SegmentDef>& items) {
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId(id);
  rule->setRuleName(name);
  rule->setLength(length);
  rule->setBarCodeType("1");
  for (const SegmentDef& def : items) {
    auto item = rule->CreateRuleItem(def.type);
    item->setLength(def.length);
    item->setRelevantValue(def.relevantValue);
    rule->ruleItems()->Add(item);
  }
  return rule;
}

// Inventory code (6) + fixed "AB": every demo item can carry it.
inline std::shared_ptr<clsBarCodeRule> PlainRule(const std::string& id, const std::string& name = "普通规则") {
  return MakeRule(id, name, 8, {{ISTInventory, 6}, {ISTFixed, 2, "AB"}});
}

}  // namespace quillstone::test

class RuleManagerTest : public SystemTest {
 protected:
  void Started() override { rm = sys.GetRuleManager(); }

  int64_t Count(const std::string& sql, const std::vector<quillstone::Variant>& params = {}) {
    auto rs = conn->Query(sql, params);
    return rs->Field(0).toInt64();
  }
  void InsertAssign(const std::string& assignId, int32_t type, const std::string& invId, const std::string& classId,
                    const std::string& ruleId) {
    using quillstone::Variant;
    conn->Execute("insert into RuleAssign(assignId,assignType,invId,classId,ruleId) values(?,?,?,?,?)",
                  {Variant(assignId), Variant(type), invId.empty() ? Variant(Variant::Null) : Variant(invId),
                   classId.empty() ? Variant(Variant::Null) : Variant(classId), Variant(ruleId)});
  }
  // A registered barcode that names the rule and the assignment.
  void InsertBarCode(const std::string& barCode, const std::string& ruleId, const std::string& assignId) {
    using quillstone::Variant;
    conn->Execute("insert into InventoryBarCodeSet(cBarCode,cInvCode,cRuleId,cAssignId,bAbandon) values(?,?,?,?,0)",
                  {Variant(barCode), Variant("P001"), Variant(ruleId), Variant(assignId)});
  }

  std::shared_ptr<quillstone::clsRuleManager> rm;
};
