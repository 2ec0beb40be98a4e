#include "StatementCounter.h"

#include <sqlite3.h>

#include <atomic>

namespace quillstone::bench {
namespace {

std::atomic<int64_t> started{0};
std::vector<std::string>* captured = nullptr;

int OnTrace(unsigned type, void* /*context*/, void* /*stmt*/, void* sqlText) {
  if (type != SQLITE_TRACE_STMT) return 0;
  const char* sql = static_cast<const char*>(sqlText);
  // A trigger's statements are reported as "-- " comments inside the statement that fired them.
  if (sql != nullptr && sql[0] == '-' && sql[1] == '-') return 0;
  started.fetch_add(1, std::memory_order_relaxed);
  if (captured != nullptr && sql != nullptr) captured->emplace_back(sql);
  return 0;
}

int HookConnection(sqlite3* db, char** /*error*/, const sqlite3_api_routines* /*api*/) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, OnTrace, nullptr);
  return SQLITE_OK;
}

}  // namespace

void StatementCounter::Install() {
  // The signature sqlite3_auto_extension takes is a placeholder for the real entry point's.
  sqlite3_auto_extension(reinterpret_cast<void (*)(void)>(HookConnection));
}

int64_t StatementCounter::Count() { return started.load(std::memory_order_relaxed); }

void StatementCounter::Capture(std::vector<std::string>* sink) { captured = sink; }

}  // namespace quillstone::bench
