// The rule store and the assignment lookup, as every encoding and registration uses them.
#include "BenchSystem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::bench {

void RegisterRuleBenchmarks(BenchSystem& system) {
  // The rule header and its six items, each item given its source.
  RegisterOn(system, "rules", "LoadRule.6items", [](benchmark::State& state, BenchSystem& sys) {
    Guarded(state, [&] {
      auto rm = sys.sys().GetRuleManager();
      TimeEach(state, [&] { return rm->LoadRule(kRuleId); });
    });
  });
  // P001 has no assignment of its own: the item, the coding, its class row, then the classes
  // 0101001 and 0101 miss and 01 answers.
  RegisterOn(system, "rules", "FindAssignByInventory.class3up", [](benchmark::State& state, BenchSystem& sys) {
    Guarded(state, [&] {
      auto rm = sys.sys().GetRuleManager();
      TimeEach(state, [&] { return rm->FindAssignByInventory(kInventory); });
    });
  });
}

}  // namespace quillstone::bench
