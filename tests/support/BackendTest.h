// The fixture of every database test: a fresh, empty database per test on each backend, SQLite in a
// temporary file and PostgreSQL in a schema of its own on the server named by QS_PG_URL.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "quillstone/platform/Connection.h"

namespace quillstone {
// Lets failure messages name the backend instead of dumping its bytes.
inline void PrintTo(Backend backend, std::ostream* os) { *os << (backend == Backend::Sqlite ? "Sqlite" : "Postgres"); }
}  // namespace quillstone

namespace quillstone::test {

// "Sqlite" / "Postgres", the suffix of the parameterised test names.
std::string BackendName(const ::testing::TestParamInfo<Backend>& info);

}  // namespace quillstone::test

class BackendTest : public ::testing::TestWithParam<quillstone::Backend> {
 protected:
  void SetUp() override;
  void TearDown() override;

  quillstone::Backend backend() const { return GetParam(); }
  // Opens the database of this test from another connection, in this process or in another.
  std::string connectionString() const { return connection_string_; }

  std::shared_ptr<quillstone::Connection> conn;

 private:
  std::string connection_string_;
  std::string sqlite_path_;
  std::string pg_schema_;
  std::shared_ptr<quillstone::Connection> pg_admin_;
};

// Runs every TEST_P of `Fixture` once on SQLite and once on PostgreSQL.
#define QS_INSTANTIATE_BACKENDS(Fixture)                                                                      \
  INSTANTIATE_TEST_SUITE_P(, Fixture,                                                                         \
                           ::testing::Values(::quillstone::Backend::Sqlite, ::quillstone::Backend::Postgres), \
                           ::quillstone::test::BackendName)
