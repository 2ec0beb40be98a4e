// The side-by-side benchmark: each operation of the library through its public API beside the
// same database work done directly through the SQLite C API with statements prepared once (the
// floor), on one database file, interleaved rep by rep, at several registry sizes.
//
//   quillstone_side_by_side [--sizes 10000,100000,1000000] [--reps 5] [--db PATH] [--show-sql]
//   quillstone_side_by_side --pg URL --pg-log SERVER_LOG [--sizes ...] [--reps ...]
// On PostgreSQL only the library is timed, and its round trips are counted from the server's log.
#include <malloc.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchDatabase.h"
#include "FloorDb.h"
#include "ServerLogCounter.h"
#include "StatementCounter.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::vector<int64_t> sizes{10000, 100000, 1000000};
  int reps = 5;
  int readsPerRep = 1000;
  int registrationsPerRep = 50;
  int bulkCount = 10000;
  std::string db;
  std::string pgUrl;
  std::string pgLog;
  bool showSql = false;
};

// One line of the table. `perSecond` lines give rates, the others microseconds per operation.
struct Result {
  std::string op;
  int64_t size = 0;
  double library = 0, floor = 0;
  double libraryCpu = 0, floorCpu = 0;
  double libraryStatements = 0, floorStatements = 0;
  bool perSecond = false;
  bool perRow = false;
  std::string note;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Wall-clock and this thread's processor time, in seconds. The processor time stays meaningful
// when other programs share the cores; durable writes wait on the disk, which only the wall clock
// sees.
struct Cost {
  double wall = 0;
  double cpu = 0;
  Cost& operator+=(const Cost& other) {
    wall += other.wall;
    cpu += other.cpu;
    return *this;
  }
};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

template <typename Fn>
Cost Timed(Fn&& fn) {
  const auto start = Clock::now();
  const double cpuStart = ThreadCpuSeconds();
  fn();
  return {std::chrono::duration<double>(Clock::now() - start).count(), ThreadCpuSeconds() - cpuStart};
}

// The statements (on PostgreSQL, the round trips) started so far.
std::function<int64_t()> statementCount = [] { return StatementCounter::Count(); };

// Statements of the untimed preparation inside a timed body, left out of the operation's count.
int64_t untimedStatements = 0;

template <typename Fn>
auto Untimed(Fn&& fn) {
  const int64_t before = statementCount();
  auto result = fn();
  untimedStatements += statementCount() - before;
  return result;
}

// One side of all reps: the time per operation of each rep, and the statements the operations ran.
struct Side {
  std::vector<double> usPerOp;
  std::vector<double> cpuUsPerOp;
  int64_t statements = 0;
  int64_t ops = 0;
};

// Runs `library` and `floor` alternately, rep by rep, over the same inputs; the first rep warms
// both up and is not counted. Each body returns the time it wants counted.
using Body = std::function<Cost(int)>;
Result Interleaved(const std::string& op, int64_t size, int reps, int perRep, const Body& library, const Body& floor) {
  Side sides[2];
  const Body* bodies[2] = {&library, &floor};
  for (int rep = 0; rep <= reps; ++rep) {
    for (int s = 0; s < 2; ++s) {
      const int64_t before = statementCount();
      untimedStatements = 0;
      Cost cost;
      for (int i = 0; i < perRep; ++i) cost += (*bodies[s])(rep * perRep + i);
      if (rep == 0) continue;
      sides[s].usPerOp.push_back(cost.wall * 1e6 / perRep);
      sides[s].cpuUsPerOp.push_back(cost.cpu * 1e6 / perRep);
      sides[s].statements += statementCount() - before - untimedStatements;
      sides[s].ops += perRep;
    }
  }
  Result result;
  result.op = op;
  result.size = size;
  result.library = Median(sides[0].usPerOp);
  result.floor = Median(sides[1].usPerOp);
  result.libraryCpu = Median(sides[0].cpuUsPerOp);
  result.floorCpu = Median(sides[1].cpuUsPerOp);
  result.libraryStatements = static_cast<double>(sides[0].statements) / static_cast<double>(sides[0].ops);
  result.floorStatements = static_cast<double>(sides[1].statements) / static_cast<double>(sides[1].ops);
  return result;
}

// Resident and peak resident memory of the process in kB; the peak can be reset, so that each
// listing's own peak is seen.
int64_t StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(std::strlen(key) + 1));
  }
  return 0;
}

bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

// Peak memory growth in MB of `fn`, measured from the resident size before it.
template <typename Fn>
double PeakGrowthMb(Fn&& fn) {
  malloc_trim(0);
  ResetPeak();
  const int64_t before = StatusKb("VmRSS:");
  fn();
  return static_cast<double>(StatusKb("VmHWM:") - before) / 1024.0;
}

FloorDb::Line LineOf(const clsInventoryInfo& inv) {
  FloorDb::Line line;
  line.invCode = inv.inventoryId();
  line.invName = inv.inventoryName();
  line.invClassId = inv.inventoryClassId();
  line.invClassName = inv.inventoryClassName();
  line.batch = inv.batchNo().toString();
  line.madeDate = inv.madeDate().toString();
  line.disableDate = inv.disableDate().toString();
  line.free1 = inv.Free(1).toString();
  line.massDay = inv.massDay().toInt32();
  return line;
}

class Runner {
 public:
  // Without a floor only the library is timed.
  Runner(const Options& options, BenchDatabase& db, FloorDb* floor)
      : options_(options), db_(db), floor_(floor), line_(LineOf(*BenchDatabase::Inventory())) {}

  std::vector<Result> RunAt();
  void ShowSql();

 private:
  // Barcodes picked at random from the registry, the same picks for both sides of a rep.
  const std::string& Pick(int i) { return picks_[static_cast<std::size_t>(i) % picks_.size()]; }
  void NewPicks();
  // `body`, or nothing to time when there is no floor.
  Body FloorBody(Body body) const {
    if (floor_ != nullptr) return body;
    return [](int) { return Cost{}; };
  }
  void CheckAnswersAgree();
  Result Reads(const std::string& op, const std::function<void(const std::string&)>& library,
               const std::function<void(const std::string&)>& floor);
  Result Registration();
  Result Bulk();
  Result Listing();

  const Options& options_;
  BenchDatabase& db_;
  FloorDb* floor_;
  FloorDb::Line line_;
  std::vector<std::string> picks_;
  std::mt19937_64 random_{20240601};
  int64_t size_ = 0;
};

void Runner::NewPicks() {
  const auto& all = db_.barCodes();
  std::uniform_int_distribution<std::size_t> any(0, all.size() - 1);
  picks_.clear();
  const int count = options_.readsPerRep * (options_.reps + 1);
  for (int i = 0; i < count; ++i) picks_.push_back(all[any(random_)]);
}

// Both sides must find what the other finds, or the comparison means nothing.
void Runner::CheckAnswersAgree() {
  const std::string& code = Pick(0);
  auto loaded = db_.admin().GetBarCodeManager()->LoadInventoryBarCodeSet(code);
  auto visible = db_.restricted().GetBarCodeManager()->LoadInventoryBarCodeSet(code);
  if (loaded == nullptr || visible == nullptr) throw std::runtime_error("the library does not find barcode " + code);
  if (floor_ == nullptr) return;
  FloorDb::RegistryRow row;
  if (!floor_->Load(code, row) || !floor_->LoadVisible(code, row) || row.barCode != loaded->barCode() ||
      !floor_->Verify(code, line_))
    throw std::runtime_error("library and floor disagree on barcode " + code);
  auto assign = db_.admin().GetRuleManager()->FindAssignByInventory(kInventory);
  if (assign == nullptr || floor_->FindAssign(kInventory).first != assign->assignId())
    throw std::runtime_error("library and floor disagree on the assignment of P001");
  auto inv = std::make_shared<clsInventoryInfo>();
  db_.admin().GetBarCodeManager()->DecodeBarCode(code, db_.rule(), inv);
  if (inv->inventoryId() != floor_->Decode(code).invCode || floor_->Decode(code).free1 != "黑色")
    throw std::runtime_error("library and floor decode " + code + " differently");
  auto encoded = db_.admin().GetBarCodeManager()->EncodeBarCode(BenchDatabase::Inventory(), db_.rule());
  if (encoded->barCode() != floor_->Encode(line_))
    throw std::runtime_error("library and floor encode differently: " + encoded->barCode());
}

Result Runner::Reads(const std::string& op, const std::function<void(const std::string&)>& library,
                     const std::function<void(const std::string&)>& floor) {
  return Interleaved(
      op, size_, options_.reps, options_.readsPerRep, [&](int i) { return Timed([&] { library(Pick(i)); }); },
      FloorBody([&](int i) { return Timed([&] { floor(Pick(i)); }); }));
}

// The barcode to register is encoded beforehand, untimed, as a front end encodes it to print.
Result Runner::Registration() {
  auto bm = db_.admin().GetBarCodeManager();
  return Interleaved(
      "CreateBarCode, one durable registration", size_, options_.reps, options_.registrationsPerRep,
      [&](int) {
        auto inv = BenchDatabase::Inventory();
        auto barCode = Untimed([&] { return bm->EncodeBarCode(inv, db_.rule()); });
        return Timed([&] { bm->CreateBarCode(inv, barCode, db_.assign()); });
      },
      FloorBody([&](int) { return Timed([&] { floor_->Register(line_); }); }));
}

Result Runner::Bulk() {
  auto bm = db_.admin().GetBarCodeManager();
  const int count = options_.bulkCount;
  Result result = Interleaved(
      "CreateBarCodes, " + std::to_string(count) + " for one line", size_, std::min(options_.reps, 3), 1,
      [&](int) {
        auto inv = BenchDatabase::Inventory();
        auto barCode = Untimed([&] { return bm->EncodeBarCode(inv, db_.rule()); });
        return Timed([&] { bm->CreateBarCodes(inv, barCode, db_.assign(), count); });
      },
      FloorBody([&](int) { return Timed([&] { floor_->RegisterMany(line_, count); }); }));
  result.perSecond = true;
  result.library = count / (result.library / 1e6);
  result.libraryCpu = count / (result.libraryCpu / 1e6);
  if (result.floor > 0) {
    result.floor = count / (result.floor / 1e6);
    result.floorCpu = count / (result.floorCpu / 1e6);
  }
  result.libraryStatements /= count;
  result.floorStatements /= count;
  return result;
}

Result Runner::Listing() {
  auto bm = db_.admin().GetBarCodeManager();
  double libraryMb = 0, floorMb = 0;
  std::size_t rows = 0;
  Result result = Interleaved(
      "ListInventoryBarCodeSets, all rows", size_, std::min(options_.reps, 2), 1,
      [&](int) {
        Cost seconds;
        libraryMb = std::max(libraryMb, PeakGrowthMb([&] {
                               std::shared_ptr<clsBarCodeManager::BarCodeSetList> list;
                               seconds = Timed([&] { list = bm->ListInventoryBarCodeSets(); });
                               rows = static_cast<std::size_t>(list->Count());
                             }));
        return seconds;
      },
      FloorBody([&](int) {
        Cost seconds;
        floorMb = std::max(floorMb, PeakGrowthMb([&] {
                             std::vector<std::string> list;
                             seconds = Timed([&] { list = floor_->ListAll(); });
                           }));
        return seconds;
      }));
  // Per row, as a listing is judged.
  const double perRow = static_cast<double>(std::max<std::size_t>(rows, 1));
  for (double* figure : {&result.library, &result.floor, &result.libraryCpu, &result.floorCpu}) *figure /= perRow;
  result.perRow = true;
  std::ostringstream note;
  note.precision(0);
  note << std::fixed << rows << " rows; peak memory growth " << libraryMb << " MB library";
  if (floor_ != nullptr) note << ", " << floorMb << " MB floor";
  result.note = note.str();
  return result;
}

std::vector<Result> Runner::RunAt() {
  std::vector<Result> results;
  auto bm = db_.admin().GetBarCodeManager();
  auto restricted = db_.restricted().GetBarCodeManager();
  auto rm = db_.admin().GetRuleManager();
  size_ = db_.RegistrySize();
  NewPicks();
  CheckAnswersAgree();
  auto report = [&](Result r) {
    std::fprintf(stderr, "  %-48s library %10.1f  floor %10.1f\n", r.op.c_str(), r.library, r.floor);
    results.push_back(std::move(r));
  };
  report(Reads(
      "DecodeBarCode (rule held by the caller)",
      [&](const std::string& code) {
        auto inv = std::make_shared<clsInventoryInfo>();
        bm->DecodeBarCode(code, db_.rule(), inv);
      },
      [&](const std::string& code) { floor_->Decode(code); }));
  auto document = BenchDatabase::Inventory();
  report(Reads(
      "VerifyBarCodeSet", [&](const std::string& code) { bm->VerifyBarCodeSet(code, document); },
      [&](const std::string& code) {
        if (!floor_->Verify(code, line_)) throw std::runtime_error("floor: verification failed");
      }));
  FloorDb::RegistryRow row;
  report(Reads(
      "LoadInventoryBarCodeSet, no data rights", [&](const std::string& code) { bm->LoadInventoryBarCodeSet(code); },
      [&](const std::string& code) { floor_->Load(code, row); }));
  report(Reads(
      "LoadInventoryBarCodeSet, 1,000 data-rights ids",
      [&](const std::string& code) { restricted->LoadInventoryBarCodeSet(code); },
      [&](const std::string& code) { floor_->LoadVisible(code, row); }));
  report(Reads(
      "FindAssignByInventory, class three levels up",
      [&](const std::string&) { rm->FindAssignByInventory(kInventory); },
      [&](const std::string&) { floor_->FindAssign(kInventory); }));
  report(Reads(
      "LoadRule (7 items)", [&](const std::string&) { rm->LoadRule(kRuleId); },
      [&](const std::string&) { floor_->LoadRule(kRuleId); }));
  report(Reads(
      "EncodeBarCode", [&](const std::string&) { bm->EncodeBarCode(document, db_.rule()); },
      [&](const std::string&) { floor_->Encode(line_); }));
  report(Listing());
  report(Registration());
  report(Bulk());
  return results;
}

// The statements one call of each library operation starts, for comparing with the floor's.
void Runner::ShowSql() {
  auto bm = db_.admin().GetBarCodeManager();
  auto rm = db_.admin().GetRuleManager();
  const std::string code = db_.barCodes().front();
  auto show = [](const std::string& op, const std::function<void()>& fn) {
    std::vector<std::string> statements;
    StatementCounter::Capture(&statements);
    fn();
    StatementCounter::Capture(nullptr);
    std::cout << "-- " << op << ": " << statements.size() << " statements\n";
    for (const auto& sql : statements) std::cout << "   " << sql << "\n";
  };
  auto document = BenchDatabase::Inventory();
  show("DecodeBarCode", [&] {
    auto inv = std::make_shared<clsInventoryInfo>();
    bm->DecodeBarCode(code, db_.rule(), inv);
  });
  show("VerifyBarCodeSet", [&] { bm->VerifyBarCodeSet(code, document); });
  show("LoadInventoryBarCodeSet", [&] { bm->LoadInventoryBarCodeSet(code); });
  show("LoadInventoryBarCodeSet (1,000 ids)",
       [&] { db_.restricted().GetBarCodeManager()->LoadInventoryBarCodeSet(code); });
  show("LoadInventoryBarCodeSet (1,000 ids), again",
       [&] { db_.restricted().GetBarCodeManager()->LoadInventoryBarCodeSet(code); });
  show("FindAssignByInventory", [&] { rm->FindAssignByInventory(kInventory); });
  show("LoadRule", [&] { rm->LoadRule(kRuleId); });
  show("EncodeBarCode", [&] { bm->EncodeBarCode(document, db_.rule()); });
  auto inv = BenchDatabase::Inventory();
  auto barCode = bm->EncodeBarCode(inv, db_.rule());
  show("CreateBarCode", [&] { bm->CreateBarCode(inv, barCode, db_.assign()); });
  barCode = bm->EncodeBarCode(inv, db_.rule());
  show("CreateBarCodes (3)", [&] { bm->CreateBarCodes(inv, barCode, db_.assign(), 3); });
}

std::string Figure(double value) {
  char text[32];
  if (value >= 1000) {
    std::snprintf(text, sizeof text, "%.0f", value);
    std::string digits = text;
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
  }
  std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : "%.1f", value);
  return text;
}

std::string Ratio(double value) {
  if (!std::isfinite(value) || value <= 0) return "—";
  char text[16];
  std::snprintf(text, sizeof text, "%.2f×", value);
  return text;
}

void PrintTable(const std::vector<Result>& results, bool roundTrips) {
  std::cout << "| operation | registry | library | floor | ratio | ratio of processor time | "
            << (roundTrips ? "round trips of the library" : "statements library/floor") << " | note |\n"
            << "|---|---:|---:|---:|---:|---:|---:|---|\n";
  for (const Result& r : results) {
    const char* unit = r.perSecond ? " /s" : r.perRow ? " µs/row" : " µs";
    const bool hasFloor = r.floor > 0;
    const double ratio = r.perSecond ? r.floor / r.library : r.library / r.floor;
    const double cpuRatio = r.perSecond ? r.floorCpu / r.libraryCpu : r.libraryCpu / r.floorCpu;
    char statements[48];
    if (hasFloor) {
      std::snprintf(statements, sizeof statements, "%.4g / %.4g", r.libraryStatements, r.floorStatements);
    } else {
      std::snprintf(statements, sizeof statements, "%.4g", r.libraryStatements);
    }
    std::cout << "| " << r.op << " | " << Figure(static_cast<double>(r.size)) << " | " << Figure(r.library) << unit
              << " | " << (hasFloor ? Figure(r.floor) + unit : "—") << " | " << (hasFloor ? Ratio(ratio) : "—") << " | "
              << (hasFloor ? Ratio(cpuRatio) : "—") << " | " << statements << " | " << r.note << " |\n";
  }
}

std::string CpuModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--sizes") {
      options.sizes.clear();
      std::stringstream list(value());
      for (std::string size; std::getline(list, size, ',');) options.sizes.push_back(std::stoll(size));
    } else if (arg == "--reps") {
      options.reps = std::max(1, std::stoi(value()));
    } else if (arg == "--reads") {
      options.readsPerRep = std::max(1, std::stoi(value()));
    } else if (arg == "--db") {
      options.db = value();
    } else if (arg == "--pg") {
      options.pgUrl = value();
    } else if (arg == "--pg-log") {
      options.pgLog = value();
    } else if (arg == "--show-sql") {
      options.showSql = true;
    } else {
      throw std::invalid_argument("unknown argument " + arg);
    }
  }
  std::sort(options.sizes.begin(), options.sizes.end());
  if (!options.pgUrl.empty() && (options.pgLog.empty() || options.showSql))
    throw std::invalid_argument("--pg needs --pg-log, the server's log file, and takes no --show-sql");
  if (options.db.empty())
    options.db = (std::filesystem::temp_directory_path() / ("qs_side_by_side_" + std::to_string(::getpid()) + ".db"));
  return options;
}

int Run(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  // Before any connection opens, so the library's connections are counted too.
  StatementCounter::Install();
  const bool onPostgres = !options.pgUrl.empty();
  std::unique_ptr<ServerLogCounter> serverLog;
  std::unique_ptr<BenchDatabase> db;
  std::unique_ptr<FloorDb> floor;
  if (onPostgres) {
    serverLog = std::make_unique<ServerLogCounter>(options.pgLog);
    statementCount = [&serverLog] { return serverLog->Count(); };
    db = BenchDatabase::OnPostgres(options.pgUrl);
    std::cout << "PostgreSQL, the library only, round trips from the server's log; ";
  } else {
    db = BenchDatabase::OnSqlite(options.db);
    floor = std::make_unique<FloorDb>(options.db, kVisibleIds);
    std::cout << "SQLite " << sqlite3_libversion() << " file " << options.db
              << " (WAL, synchronous FULL, default page cache); ";
  }
  std::cout << std::thread::hardware_concurrency() << " cores, " << CpuModel() << "\n";
  Runner runner(options, *db, floor.get());
  std::vector<Result> all;
  for (int64_t size : options.sizes) {
    const auto start = Clock::now();
    db->FillTo(size);
    std::fprintf(stderr, "registry filled to %lld in %.1f s\n", static_cast<long long>(db->RegistrySize()),
                 std::chrono::duration<double>(Clock::now() - start).count());
    if (options.showSql) {
      runner.ShowSql();
      return 0;
    }
    for (Result& r : runner.RunAt()) all.push_back(std::move(r));
  }
  PrintTable(all, onPostgres);
  return 0;
}

}  // namespace
}  // namespace quillstone::bench

int main(int argc, char** argv) {
  try {
    return quillstone::bench::Run(argc, argv);
  } catch (const quillstone::Error& e) {
    std::cerr << "side-by-side: " << e.description() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "side-by-side: " << e.what() << "\n";
  }
  return 1;
}
