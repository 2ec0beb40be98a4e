#include "support/BackendTest.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <random>

using quillstone::Backend;
using quillstone::Connection;

namespace quillstone::test {

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

}  // namespace quillstone::test

namespace {

// Unique across the processes that ctest runs side by side and across the tests of one process.
std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return std::to_string(::getpid()) + "_" + std::to_string(salt % 100000) + "_" + std::to_string(++counter);
}

// Adds a search_path to a libpq connection string, in URI or in key=value form, so every
// connection opened from it works in the test's own schema.
std::string WithSearchPath(const std::string& url, const std::string& schema) {
  const bool uri = url.rfind("postgresql://", 0) == 0 || url.rfind("postgres://", 0) == 0;
  if (uri) return url + (url.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema;
  std::string pairs = url.rfind("postgresql:", 0) == 0 ? url.substr(11) : url;
  return "postgresql:" + pairs + " options='-csearch_path=" + schema + "'";
}

std::string AsConnectionString(const std::string& url) {
  const bool has_scheme = url.rfind("postgresql:", 0) == 0 || url.rfind("postgres://", 0) == 0;
  return has_scheme ? url : "postgresql:" + url;
}

}  // namespace

void BackendTest::SetUp() {
  if (GetParam() == Backend::Sqlite) {
    sqlite_path_ = (std::filesystem::temp_directory_path() / ("qs_test_" + UniqueSuffix() + ".db")).string();
    connection_string_ = "sqlite:" + sqlite_path_;
  } else {
    const char* url = std::getenv("QS_PG_URL");
    ASSERT_TRUE(url != nullptr && *url != '\0')
        << "QS_PG_URL is not set: the PostgreSQL tests need a server. Start one with "
           "`eval \"$(bash scripts/pg-start.sh)\" && export QS_PG_URL`, or run scripts/test.sh.";
    pg_admin_ = Connection::Open(AsConnectionString(url));
    pg_schema_ = "qs_test_" + UniqueSuffix();
    pg_admin_->ExecuteScript("create schema " + pg_schema_);
    connection_string_ = WithSearchPath(AsConnectionString(url), pg_schema_);
  }
  conn = Connection::Open(connection_string_);
}

void BackendTest::TearDown() {
  if (conn) conn->Close();
  conn.reset();
  if (!sqlite_path_.empty()) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(sqlite_path_ + suffix, ignored);
  }
  if (pg_admin_) {
    pg_admin_->ExecuteScript("drop schema if exists " + pg_schema_ + " cascade");
    pg_admin_->Close();
    pg_admin_.reset();
  }
}
