// Barcodes of a GS1 rule (GTIN, expiry, batch, serial in GS1 DataMatrix, for F001 whose master
// data keeps a GTIN-13) beside the same work on the 6-item rule: encoding, registration one at a
// time and a thousand at once, decoding and verifying from each of the three forms; and identifying
// a scan through the scanning service beside the registry lookup and decode it stands on.
#include <memory>
#include <string>

#include "BenchSystem.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/scanning/clsScanService.h"

namespace quillstone::bench {
namespace {

constexpr const char* kGs1RuleId = "GS";
constexpr const char* kGs1Item = "F001";
constexpr int kBulk = 1000;

std::shared_ptr<clsInventoryInfo> Gs1Inventory() {
  auto inv = std::make_shared<clsInventoryInfo>();
  inv->setInventoryId(kGs1Item);
  inv->setBatchNo(Variant("L0412"));
  inv->setDisableDate(Variant("2027-03-31"));
  return inv;
}

// The rule, its assignment and one registered barcode in the three forms a scanner gives.
struct Gs1Setup {
  std::string hri, raw, link;
};

Gs1Setup SetUp(BenchSystem& system) {
  system.conn().Execute("update Inventory set cBarCode = '9506000134352' where cInvCode = ?", {Variant(kGs1Item)});
  auto rule = MakeRule(kGs1RuleId,
                       {{ISTInventory, 14, "", "01"},
                        {ISTDisableDate, 6, "yymmdd", "17"},
                        {ISTBatch, 20, "", "10"},
                        {ISTSequence, 8, "00000001", "21"}},
                       "GS1 DataMatrix");
  auto rm = system.sys().GetRuleManager();
  rm->CreateRule(rule);
  auto assign = std::make_shared<clsInventoryAssign>();
  assign->setInventoryId(kGs1Item);
  assign->setRuleId(kGs1RuleId);
  std::shared_ptr<clsRuleAssign> toItem = assign;
  rm->CreateAssign(toItem);

  auto bm = system.sys().GetBarCodeManager();
  auto inv = Gs1Inventory();
  const std::string hri =
      bm->CreateBarCode(inv, bm->EncodeBarCode(inv, rm->LoadRule(kGs1RuleId)), rm->FindAssignByInventory(kGs1Item))
          ->barCode();
  const auto fields = Gs1ElementString::Parse(hri);
  return {hri, fields.ToRaw("]d2"), fields.ToDigitalLink()};
}

struct Target {
  const char* ruleId;
  const char* item;
  std::shared_ptr<clsInventoryInfo> (*inventory)();
};

const Target kPlain{kRuleId, kInventory, &BenchSystem::Inventory};
const Target kGs1{kGs1RuleId, kGs1Item, &Gs1Inventory};

void Encode(benchmark::State& state, BenchSystem& system, const Target& target) {
  auto bm = system.sys().GetBarCodeManager();
  auto rule = system.sys().GetRuleManager()->LoadRule(target.ruleId);
  auto inv = target.inventory();
  TimeEach(state, [&] { return bm->EncodeBarCode(inv, rule); });
}

// `count` barcodes a registration, each encoded beforehand without being timed.
void Create(benchmark::State& state, BenchSystem& system, const Target& target, int count) {
  auto bm = system.sys().GetBarCodeManager();
  auto rm = system.sys().GetRuleManager();
  auto rule = rm->LoadRule(target.ruleId);
  auto assign = rm->FindAssignByInventory(target.item);
  auto inv = target.inventory();
  for (auto _ : state) {
    state.PauseTiming();
    auto barCode = bm->EncodeBarCode(inv, rule);
    state.ResumeTiming();
    if (count == 1) {
      benchmark::DoNotOptimize(bm->CreateBarCode(inv, barCode, assign));
    } else {
      benchmark::DoNotOptimize(bm->CreateBarCodes(inv, barCode, assign, count));
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void Decode(benchmark::State& state, BenchSystem& system, const std::string& ruleId, const std::string& text) {
  auto bm = system.sys().GetBarCodeManager();
  auto rule = system.sys().GetRuleManager()->LoadRule(ruleId);
  TimeEach(state, [&] {
    auto inv = std::make_shared<clsInventoryInfo>();
    bm->DecodeBarCode(text, rule, inv);
    return inv;
  });
}

void Verify(benchmark::State& state, BenchSystem& system, const std::string& text,
            std::shared_ptr<clsInventoryInfo> (*inventory)()) {
  auto bm = system.sys().GetBarCodeManager();
  auto inv = inventory();
  for (auto _ : state) bm->VerifyBarCodeSet(text, inv);
}

// The floor of identifying a scan: the registry lookup by the registry's text, the rule it names
// and decoding by it.
void LookupAndDecode(benchmark::State& state, BenchSystem& system, const std::string& barCode) {
  auto bm = system.sys().GetBarCodeManager();
  auto rm = system.sys().GetRuleManager();
  TimeEach(state, [&] {
    auto set = bm->LoadInventoryBarCodeSet(barCode);
    auto inv = std::make_shared<clsInventoryInfo>();
    bm->DecodeBarCode(barCode, rm->LoadRule(set->ruleId()), inv);
    return inv;
  });
}

void Identify(benchmark::State& state, BenchSystem& system, const std::string& text) {
  clsScanService scans(system.sys().context());
  TimeEach(state, [&] {
    auto answer = scans.Identify(text);
    if (!answer.registered()) MarkFailed(state, "not identified as registered: " + text);
    return answer.invInfo;
  });
}

template <typename Body>
void Add(BenchSystem& system, const std::string& name, Body body) {
  RegisterOn(system, "gs1rule", name, [body](benchmark::State& state, BenchSystem& s) {
    Guarded(state, [&] { body(state, s); });
  });
}

}  // namespace

void RegisterGs1RuleBenchmarks(BenchSystem& system) {
  const auto forms = std::make_shared<Gs1Setup>(SetUp(system));
  for (const Target* target : {&kPlain, &kGs1}) {
    const std::string kind = target == &kGs1 ? "gs1" : "plain";
    Add(system, "Encode/" + kind, [target](auto& state, auto& s) { Encode(state, s, *target); });
    Add(system, "Create/" + kind, [target](auto& state, auto& s) { Create(state, s, *target, 1); });
    Add(system, "Create1000/" + kind, [target](auto& state, auto& s) { Create(state, s, *target, kBulk); });
  }
  Add(system, "Decode/plain", [](auto& state, auto& s) { Decode(state, s, kRuleId, s.sampleBarCode()); });
  Add(system, "LookupDecode/plain", [](auto& state, auto& s) { LookupAndDecode(state, s, s.sampleBarCode()); });
  Add(system, "Identify/plain", [](auto& state, auto& s) { Identify(state, s, s.sampleBarCode()); });
  Add(system, "LookupDecode/gs1", [forms](auto& state, auto& s) { LookupAndDecode(state, s, forms->hri); });
  Add(system, "Verify/plain",
      [](auto& state, auto& s) { Verify(state, s, s.sampleBarCode(), &BenchSystem::Inventory); });
  for (const auto& [form, text] : {std::pair{"hri", &Gs1Setup::hri}, std::pair{"raw", &Gs1Setup::raw},
                                   std::pair{"link", &Gs1Setup::link}}) {
    const std::string* value = &((*forms).*text);
    Add(system, std::string("Decode/gs1-") + form,
        [forms, value](auto& state, auto& s) { Decode(state, s, kGs1RuleId, *value); });
    Add(system, std::string("Verify/gs1-") + form,
        [forms, value](auto& state, auto& s) { Verify(state, s, *value, &Gs1Inventory); });
    Add(system, std::string("Identify/gs1-") + form,
        [forms, value](auto& state, auto& s) { Identify(state, s, *value); });
  }
}

}  // namespace quillstone::bench
