// Encoding, registration, decoding and the registry reads of the barcode manager, all on the
// 6-item rule and item P001.
#include <cstdint>

#include "BenchSystem.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::bench {
namespace {

// Registry sizes the registrations run on, in this order (the registry only grows).
constexpr int64_t kRegistrySizes[] = {0, 20000, 100000};

// The rule is loaded once, as a front end keeps it while it scans or prints.
std::shared_ptr<clsBarCodeRule> Rule(BenchSystem& sys) { return sys.sys().GetRuleManager()->LoadRule(kRuleId); }

void Encode(benchmark::State& state, BenchSystem& sys) {
  auto bm = sys.sys().GetBarCodeManager();
  auto rule = Rule(sys);
  auto inv = BenchSystem::Inventory();
  TimeEach(state, [&] { return bm->EncodeBarCode(inv, rule); });
}

// Each registration needs a freshly encoded barcode (its sequence segment showing the current
// number, so the registration draws one); the encoding is not timed.
void Create(benchmark::State& state, BenchSystem& sys) {
  state.counters["registry_before"] = static_cast<double>(sys.GrowRegistry(state.range(0)));
  auto bm = sys.sys().GetBarCodeManager();
  auto rule = Rule(sys);
  auto assign = sys.sys().GetRuleManager()->FindAssignByInventory(kInventory);
  auto inv = BenchSystem::Inventory();
  for (auto _ : state) {
    state.PauseTiming();
    auto barCode = bm->EncodeBarCode(inv, rule);
    state.ResumeTiming();
    auto set = bm->CreateBarCode(inv, barCode, assign);
    benchmark::DoNotOptimize(set);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["registry_after"] = static_cast<double>(sys.RegistrySize());
}

void Decode(benchmark::State& state, BenchSystem& sys) {
  auto bm = sys.sys().GetBarCodeManager();
  auto rule = Rule(sys);
  TimeEach(state, [&] {
    auto inv = std::make_shared<clsInventoryInfo>();
    bm->DecodeBarCode(sys.sampleBarCode(), rule, inv);
    return inv;
  });
}

// The document's properties are those registered: the full comparison runs, nothing fails.
void Verify(benchmark::State& state, BenchSystem& sys) {
  auto bm = sys.sys().GetBarCodeManager();
  auto inv = BenchSystem::Inventory();
  for (auto _ : state) bm->VerifyBarCodeSet(sys.sampleBarCode(), inv);
}

void Load(benchmark::State& state, BenchSystem& sys) {
  auto bm = sys.sys().GetBarCodeManager();
  TimeEach(state, [&] { return bm->LoadInventoryBarCodeSet(sys.sampleBarCode()); });
}

template <void (*Body)(benchmark::State&, BenchSystem&)>
void Run(benchmark::State& state, BenchSystem& sys) {
  Guarded(state, [&] { Body(state, sys); });
}

}  // namespace

void RegisterBarCodeBenchmarks(BenchSystem& system) {
  RegisterOn(system, "barcodes", "EncodeBarCode", Run<Encode>);
  auto* create = RegisterOn(system, "barcodes", "CreateBarCode", Run<Create>)->ArgName("prefilled");
  for (int64_t size : kRegistrySizes) create->Arg(size);
  // The reads run after the registrations, on the grown registry.
  RegisterOn(system, "barcodes", "DecodeBarCode", Run<Decode>);
  RegisterOn(system, "barcodes", "VerifyBarCodeSet", Run<Verify>);
  RegisterOn(system, "barcodes", "LoadInventoryBarCodeSet", Run<Load>);
}

}  // namespace quillstone::bench
