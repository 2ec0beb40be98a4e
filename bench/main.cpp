// Runs every benchmark on SQLite, and on PostgreSQL too when QS_PG_URL names a server. The
// program exits with 1 when any benchmark failed.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "BenchSystem.h"

using quillstone::Backend;
using namespace quillstone::bench;

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  std::vector<std::unique_ptr<BenchSystem>> systems;
  try {
    systems.push_back(std::make_unique<BenchSystem>(Backend::Sqlite));
    const char* pgUrl = std::getenv("QS_PG_URL");
    if (pgUrl != nullptr && *pgUrl != '\0') systems.push_back(std::make_unique<BenchSystem>(Backend::Postgres, pgUrl));
  } catch (const std::exception& e) {
    std::cerr << "quillstone_bench: set-up failed: " << e.what() << '\n';
    return 1;
  }

  RegisterPlatformBenchmarks();
  RegisterFilterBenchmarks();
  RegisterGs1Benchmarks();
  for (auto& system : systems) {
    RegisterStatementBenchmarks(*system);
    RegisterRuleBenchmarks(*system);
    RegisterBarCodeBenchmarks(*system);
    RegisterSequenceBenchmarks(*system);
    RegisterGs1RuleBenchmarks(*system);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  systems.clear();
  return AnyBenchmarkFailed() ? 1 : 0;
}
