#include "src/quillstone/model/Gs1Meaning.h"

#include "quillstone/gs1/Gs1ElementString.h"
#include "src/quillstone/model/Gs1BarCodeText.h"

namespace quillstone {
namespace {

using Property = Gs1Meaning::Property;

constexpr const char* kCallerOrFixed = "调用方给出的值(其它、自由项)或符合格式的固定值";
constexpr const char* kMadeDate = "yymmdd格式的生产日期";
constexpr const char* kExpiry = "yymmdd格式的失效日期";

// In order of preference for the property each sets: 01 before 02 names the item; the expiry is
// 17, else the date of 7003, else the best-before date 15. A packing date (13) is printed from
// the production date but is not one, so receiving leaves it as a field.
constexpr Gs1Meaning::Row kRows[] = {
    {"01", ISTInventory, false, false, "存货", Property::Item, false},
    {"02", std::nullopt, false, true, kCallerOrFixed, Property::Item, false},
    {"10", ISTBatch, false, false, "批号", Property::Batch, false},
    {"11", ISTMadeDate, false, false, kMadeDate, Property::MadeDate, false},
    {"13", ISTMadeDate, false, false, kMadeDate, Property::None, false},
    {"17", ISTDisableDate, false, false, kExpiry, Property::DisableDate, true},
    {"7003", std::nullopt, false, true, kCallerOrFixed, Property::DisableDate, true},
    {"15", ISTDisableDate, false, false, kExpiry, Property::DisableDate, true},
    {"21", ISTSequence, true, true, "流水号或调用方给出的值(其它、自由项)", Property::None, false},
    {"00", std::nullopt, true, true, kCallerOrFixed, Property::None, false},
};

constexpr Gs1Meaning::Row kOther{"", std::nullopt, false, true, kCallerOrFixed, Property::None, false};

bool IsDate(ItemSourceType type) { return type == ISTMadeDate || type == ISTDisableDate; }

}  // namespace

const Gs1Meaning::Row& Gs1Meaning::Of(std::string_view ai) {
  for (const auto& row : kRows)
    if (row.ai == ai) return row;
  return kOther;
}

bool Gs1Meaning::SourceFits(const Row& row, ItemSourceType type, std::string_view relevantValue) {
  if (row.source && type == *row.source) return !IsDate(type) || relevantValue == "yymmdd";
  if (row.sequenceFits && type == ISTSequence) return true;
  return row.callerFits && Gs1BarCodeText::CallersValue(type);
}

std::vector<Gs1Meaning::Found> Gs1Meaning::Setting(const Gs1ElementString& elements, Property property) {
  std::vector<Found> found;
  for (const auto& row : kRows)
    if (row.receives == property)
      if (auto value = elements.Find(row.ai)) found.push_back({&row, *value});
  return found;
}

}  // namespace quillstone
