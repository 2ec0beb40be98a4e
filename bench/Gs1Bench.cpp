// The GS1 parser: parsing and checking a supplier label's element string of four AIs (GTIN,
// batch, expiry, serial) in each of its three forms, into one reused object as a scanning loop
// does, and writing the raw form back.
#include <string>

#include "BenchSystem.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone::bench {
namespace {

const std::string kHri = "(01)09506000134352(17)251231(10)ABC123(21)SN0042";
const std::string kRaw =
    "]C1010950600013435217251231"
    "10ABC123\x1d"
    "21SN0042";
const std::string kLink = "https://example.com/01/09506000134352/10/ABC123/21/SN0042?17=251231";

void ParseFourAis(benchmark::State& state, const std::string& text) {
  Gs1ElementString elements;
  Guarded(state, [&] {
    for (auto _ : state) {
      elements.Assign(text, 2026);
      benchmark::DoNotOptimize(elements.size());
    }
  });
}

void WriteRaw(benchmark::State& state) {
  const auto elements = Gs1ElementString::Parse(kHri, 2026);
  TimeEach(state, [&] { return elements.ToRaw("]C1"); });
}

}  // namespace

void RegisterGs1Benchmarks() {
  for (const auto& [form, text] : {std::pair{"hri", &kHri}, std::pair{"raw", &kRaw}, std::pair{"link", &kLink}}) {
    const std::string* t = text;
    benchmark::RegisterBenchmark((std::string("gs1/Parse4Ai/") + form).c_str(), [t](benchmark::State& state) {
      ParseFourAis(state, *t);
    })->MinTime(0.3);
  }
  benchmark::RegisterBenchmark("gs1/WriteRaw4Ai", WriteRaw)->MinTime(0.3);
}

}  // namespace quillstone::bench
