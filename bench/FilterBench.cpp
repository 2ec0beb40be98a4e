// Reading a caller's list filter by the grammar and writing it back, beside copying the same text
// (what a filter cost before it was read at all).
#include <string>

#include "BenchSystem.h"
#include "quillstone/server/FilterCondition.h"

namespace quillstone::bench {
namespace {

// What a registry list asks most: a batch pattern, an item and a rule as bound values, the
// barcodes in use, from a day on.
const std::string kTypical =
    "cBatch like 'LOT%' and cInvCode = ? and cRuleId = ? and (bAbandon is null or bAbandon <> 1) and dCreateDate >= ?";
// The same with a function call, a cast and arithmetic, written as a person would type it.
const std::string kWithCalls =
    "lower(trim(cBatch)) like 'lot%' and cast(iMassDate as integer) * 2 > 30 and Inventory.cInvName like '%手机%'";

void Parse(benchmark::State& state, const std::string& text, std::size_t marks) {
  TimeEach(state, [&] { return FilterCondition(text, marks, FilterScope::Registry()).empty(); });
}

void ParseAndWrite(benchmark::State& state, const std::string& text, std::size_t marks) {
  TimeEach(state, [&] { return FilterCondition(text, marks, FilterScope::Registry()).Sql(Backend::Sqlite); });
}

void CopyOnly(benchmark::State& state, const std::string& text) {
  TimeEach(state, [&] { return std::string(text); });
}

}  // namespace

void RegisterFilterBenchmarks() {
  benchmark::RegisterBenchmark("filter/Parse/typical", [](benchmark::State& s) { Parse(s, kTypical, 3); });
  benchmark::RegisterBenchmark("filter/ParseAndWrite/typical", [](benchmark::State& s) { ParseAndWrite(s, kTypical, 3); });
  benchmark::RegisterBenchmark("filter/ParseAndWrite/withCalls",
                               [](benchmark::State& s) { ParseAndWrite(s, kWithCalls, 0); });
  benchmark::RegisterBenchmark("filter/CopyOnly/typical", [](benchmark::State& s) { CopyOnly(s, kTypical); });
}

}  // namespace quillstone::bench
