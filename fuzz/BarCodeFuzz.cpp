// Cutting and decoding arbitrary text through a rule of every kind of segment, and encoding
// arbitrary property values with it: each call returns or raises the library's error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchRule.h"
#include "FuzzSystem.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

using namespace quillstone;

namespace {

using quillstone::bench::MakeRule;

// Rules stored once: every kind of segment appears in one of them.
const std::vector<std::shared_ptr<clsBarCodeRule>>& Rules() {
  static const std::vector<std::shared_ptr<clsBarCodeRule>> rules = [] {
    std::vector<std::shared_ptr<clsBarCodeRule>> made = {
        MakeRule("FZ1", {{ISTInventory, 6, ""},
                         {ISTInventoryClass, 2, ""},
                         {ISTVendor, 3, ""},
                         {ISTWarehouse, 2, ""},
                         {ISTPosition, 3, ""},
                         {ISTBatch, 4, ""},
                         {ISTInventoryUnit, 2, ""}}),
        MakeRule("FZ2", {{ISTUnitCost, 6, "2"},
                         {ISTMadeDate, 6, "yymmdd"},
                         {ISTDisableDate, 8, "yyyymmdd"},
                         {ISTMassDay, 3, "天数"},
                         {ISTFixed, 2, "QS"},
                         {ISTSequence, 4, "0041"}}),
        MakeRule("FZ3", {{ISTFree1, 2, ""},
                         {ISTFree2, 1, ""},
                         {ISTFree3, 2, ""},
                         {ISTFree4, 3, ""},
                         {ISTFree5, 1, ""},
                         {ISTFree6, 1, ""},
                         {ISTFree7, 1, ""},
                         {ISTFree8, 1, ""},
                         {ISTFree9, 1, ""},
                         {ISTFree10, 1, ""},
                         {ISTCheck, 1, ""},
                         {ISTOther, 3, ""}}),
        MakeRule(
            "FZ4",
            {{ISTMadeDate, 4, "yymm"}, {ISTDisableDate, 6, "yyyymm"}, {ISTMassDay, 2, "月数"}, {ISTUnitCost, 9, "0"}}),
        // A GS1 rule: texts in any GS1 form, cut by AI rather than by position.
        MakeRule("FZ5",
                 {{ISTInventory, 14, "", "01"},
                  {ISTMadeDate, 6, "yymmdd", "11"},
                  {ISTDisableDate, 6, "yymmdd", "17"},
                  {ISTBatch, 20, "", "10"},
                  {ISTFree1, 4, "", "21"},
                  {ISTOther, 8, "", "30"}},
                 "GS1 DataMatrix"),
    };
    auto rm = quillstone::fuzz::DemoSystem().GetRuleManager();
    for (auto& rule : made) {
      rm->CreateRule(rule);
      rule = rm->LoadRule(rule->ruleId());
    }
    return made;
  }();
  return rules;
}

// Splits the input at 0x01 bytes into the texts a call needs.
std::vector<std::string> Pieces(const std::string& text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '\x01') {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  out.resize(std::max<std::size_t>(out.size(), 6));
  return out;
}

void Decode(const std::shared_ptr<clsBarCodeRule>& rule, const std::string& text) {
  auto info = std::make_shared<clsInventoryInfo>();
  auto barCodes = quillstone::fuzz::DemoSystem().GetBarCodeManager();
  // The registry lookup reads a GS1 text in any of its forms.
  barCodes->LoadInventoryBarCodeSet(text, true);
  barCodes->DecodeBarCode(text, rule, info);
}

void Encode(const std::shared_ptr<clsBarCodeRule>& rule, const std::vector<std::string>& p) {
  auto info = std::make_shared<clsInventoryInfo>();
  info->setInventoryId(p[0].empty() ? "S001" : p[0]);
  info->setBatchNo(Variant(p[1]));
  info->setMadeDate(Variant(p[2]));
  info->setDisableDate(Variant(p[3]));
  double cost = 1.5;
  if (p[4].size() >= sizeof cost) std::memcpy(&cost, p[4].data(), sizeof cost);
  info->setUnitCost(Variant(cost));
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) info->setFree(k, Variant(p[5]));
  quillstone::fuzz::DemoSystem().GetBarCodeManager()->EncodeBarCode(info, rule);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto& rules = Rules();
  const auto& rule = rules[data[0] % rules.size()];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    if (data[0] & 0x80) {
      Encode(rule, Pieces(rest));
    } else {
      Decode(rule, rest);
    }
  } catch (const Error&) {
  }
  return 0;
}
