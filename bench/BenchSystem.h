// The set-up every database benchmark shares: a fresh database on one backend with the schema, the
// demo data and the benchmarks' own rules, and a service root started on it as "admin".
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "BenchRule.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsBarCodeSystem.h"

namespace quillstone {
class clsInventoryInfo;
}

namespace quillstone::bench {

// A 6-item rule for P001 (inventory, class, warehouse, position, batch, sequence; 25 bytes),
// assigned to the top class 01, so the lookup for P001 walks 0101001, 0101 and 01.
inline constexpr const char* kRuleId = "R6";
inline constexpr const char* kAssignedClass = "01";
inline constexpr const char* kInventory = "P001";
// A rule of a fixed text and a 10-digit sequence at index 2: draws that never overflow.
inline constexpr const char* kSequenceRuleId = "SQ";
inline constexpr int16_t kSequenceIndex = 2;

class BenchSystem {
 public:
  // `pgUrl` is used only for Backend::Postgres: the system works in a schema of its own there.
  explicit BenchSystem(Backend backend, const std::string& pgUrl = "");
  ~BenchSystem();
  BenchSystem(const BenchSystem&) = delete;
  BenchSystem& operator=(const BenchSystem&) = delete;

  // "sqlite" or "postgres", the last part of each benchmark's name.
  const std::string& name() const { return name_; }
  const std::string& connectionString() const { return connStr_; }
  Connection& conn() { return *conn_; }
  // A second connection to the same database, for benchmarks that must not disturb the
  // statement cache of the system's own.
  Connection& spareConn() { return *spare_; }
  clsBarCodeSystem& sys() { return sys_; }

  // The inventory info of P001 that the 6-item rule encodes, as a document would fill it.
  static std::shared_ptr<clsInventoryInfo> Inventory();
  // A barcode of the 6-item rule registered at set-up, for the read benchmarks.
  const std::string& sampleBarCode() const { return sampleBarCode_; }

  // Adds rows straight into the registry until it holds at least `rows`; returns its size.
  int64_t GrowRegistry(int64_t rows);
  int64_t RegistrySize();

 private:
  void CreateRules();

  std::string name_;
  std::string connStr_;
  std::string pgSchema_;
  std::shared_ptr<Connection> pgAdmin_;
  std::string sqlitePath_;
  std::shared_ptr<Connection> conn_;
  std::shared_ptr<Connection> spare_;
  clsBarCodeSystem sys_;
  std::string sampleBarCode_;
  int64_t bulkRows_ = 0;
};

// Registers `fn(state, system)` as "<group>/<name>/<backend>" and returns the benchmark for its
// settings. Database timings are wall-clock: on PostgreSQL most of the work is in the server.
template <typename Fn>
benchmark::internal::Benchmark* RegisterOn(BenchSystem& system, const std::string& group, const std::string& name,
                                           Fn fn) {
  const std::string full = group + "/" + name + "/" + system.name();
  return benchmark::RegisterBenchmark(full.c_str(), [fn, &system](benchmark::State& state) { fn(state, system); })
      ->UseRealTime()
      ->Unit(benchmark::kMicrosecond)
      ->MinTime(0.3);
}

// Skips the benchmark with `message` and remembers the failure, so the program exits with one.
void MarkFailed(benchmark::State& state, const std::string& message);
bool AnyBenchmarkFailed();

// Runs a benchmark body; a failure of the library skips the benchmark with its message instead
// of ending the whole run.
template <typename Body>
void Guarded(benchmark::State& state, Body&& body) {
  try {
    body();
  } catch (const std::exception& e) {
    MarkFailed(state, e.what());
  }
}

// Times `op()` once per iteration and keeps its result from being optimised away.
template <typename Op>
void TimeEach(benchmark::State& state, Op&& op) {
  for (auto _ : state) {
    auto result = op();
    benchmark::DoNotOptimize(result);
  }
}

void RegisterPlatformBenchmarks();
void RegisterFilterBenchmarks();
void RegisterStatementBenchmarks(BenchSystem& system);
void RegisterRuleBenchmarks(BenchSystem& system);
void RegisterBarCodeBenchmarks(BenchSystem& system);
void RegisterSequenceBenchmarks(BenchSystem& system);
void RegisterGs1Benchmarks();
void RegisterGs1RuleBenchmarks(BenchSystem& system);

}  // namespace quillstone::bench
