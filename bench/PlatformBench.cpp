// Platform costs under everything else: ANSI byte counts and cuts, and the statement cache.
#include <string>

#include "BenchSystem.h"
#include "quillstone/platform/Ansi.h"

namespace quillstone::bench {
namespace {

// 24 ANSI bytes each: a typical barcode text, and twelve Chinese characters of a name.
const std::string kAscii = "100001135161100010000042";
const std::string kChinese = "智能手机男士衬衫原味酸奶";

void AnsiLengthOf(benchmark::State& state, const std::string& text) {
  TimeEach(state, [&] { return AnsiLength(text); });
}

// A cut through the middle of the text, as a rule cuts a segment out of a barcode.
void AnsiMidOf(benchmark::State& state, const std::string& text) {
  TimeEach(state, [&] { return AnsiMid(text, 9, 8); });
}

const char* const kPointRead = "select cInvName from Inventory where cInvCode = ?";

// The same text each time: the connection prepares it once and reuses it.
void CachedPointRead(benchmark::State& state, Connection& conn) {
  TimeEach(state, [&] { return conn.Query(kPointRead, {Variant("P001")})->Field("cInvName"); });
}

// A different text each time (only a comment differs): every read pays a prepare, and on a full
// cache the finalizing of the statement it pushes out.
void OneShotPointRead(benchmark::State& state, Connection& conn) {
  int64_t n = 0;
  TimeEach(state, [&] {
    const std::string sql = "/* " + std::to_string(++n) + " */ " + kPointRead;
    return conn.Query(sql, {Variant("P001")})->Field("cInvName");
  });
}

}  // namespace

void RegisterPlatformBenchmarks() {
  for (const auto& [label, text] : {std::pair{"ascii", &kAscii}, std::pair{"chinese", &kChinese}}) {
    const std::string* t = text;
    benchmark::RegisterBenchmark((std::string("platform/AnsiLength/") + label).c_str(), [t](benchmark::State& state) {
      AnsiLengthOf(state, *t);
    })->MinTime(0.2);
    benchmark::RegisterBenchmark((std::string("platform/AnsiMid/") + label).c_str(), [t](benchmark::State& state) {
      AnsiMidOf(state, *t);
    })->MinTime(0.2);
  }
}

void RegisterStatementBenchmarks(BenchSystem& system) {
  // On a connection of their own, so the one-shot texts do not push the system's statements out.
  RegisterOn(system, "platform", "PointRead.cached", [](benchmark::State& state, BenchSystem& sys) {
    Guarded(state, [&] { CachedPointRead(state, sys.spareConn()); });
  });
  RegisterOn(system, "platform", "PointRead.oneShot", [](benchmark::State& state, BenchSystem& sys) {
    Guarded(state, [&] { OneShotPointRead(state, sys.spareConn()); });
  });
}

}  // namespace quillstone::bench
