#include "quillstone/platform/Connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <thread>

#include "quillstone/platform/ClientRecordset.h"
#include "quillstone/platform/Error.h"
#include "src/quillstone/platform/PostgresConnection.h"
#include "src/quillstone/platform/SqliteConnection.h"
#include "quillstone/platform/Transaction.h"
#include "support/BackendTest.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

using test::CaughtError;
using ::testing::HasSubstr;
using ::testing::Not;

int64_t CountRows(Connection& conn, const std::string& table) {
  auto rs = conn.Query("select count(*) as n from " + table);
  return rs->Field("n").toInt64();
}

// The value of the first column of the first row.
Variant ScalarOf(Connection& conn, const std::string& sql, const std::vector<Variant>& params = {}) {
  auto rs = conn.Query(sql, params);
  EXPECT_FALSE(rs->IsEOF()) << sql;
  return rs->Field(0);
}

std::size_t CachedStatements(Connection& conn) {
  if (auto* sqlite = dynamic_cast<SqliteConnection*>(&conn)) return sqlite->CachedStatementCount();
  return dynamic_cast<PostgresConnection&>(conn).CachedStatementCount();
}

class ConnectionTest : public BackendTest {
 protected:
  void CreateItems() { conn->Execute("create table item (k varchar(40) primary key, n bigint, f double precision)"); }
};

TEST_P(ConnectionTest, NullAndEmptyBindAsNullAndReadAsNull) {
  CreateItems();
  conn->Execute("insert into item (k, n, f) values (?, ?, ?)", {"a", Variant(Variant::Null), Variant()});
  auto rs = conn->Query("select n, f from item where k = ?", {"a"});
  ASSERT_FALSE(rs->IsEOF());
  EXPECT_TRUE(rs->Field("n").isNull());
  EXPECT_TRUE(rs->Field("f").isNull());
  rs->MoveNext();
  EXPECT_TRUE(rs->IsEOF());
}

TEST_P(ConnectionTest, TextRoundTripsExactly) {
  conn->Execute("create table note (id integer, body varchar(200))");
  const std::vector<std::string> texts = {"条码规则（测试）：存货", "O'Brien said \"hi\"; -- not a comment ?", "",
                                          "  padded  ", "line\nbreak"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    conn->Execute("insert into note (id, body) values (?, ?)", {static_cast<int32_t>(i), texts[i]});
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    Variant body = ScalarOf(*conn, "select body from note where id = ?", {static_cast<int32_t>(i)});
    EXPECT_EQ(body, Variant(texts[i]));
  }
  // An empty text is a value, not NULL.
  EXPECT_EQ(ScalarOf(*conn, "select count(*) from note where body is null").toInt64(), 0);
}

TEST_P(ConnectionTest, IntegersAndDoublesKeepTheirExactValues) {
  CreateItems();
  const int64_t extremes[] = {std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min(), 0,
                              9007199254740993};
  const double doubles[] = {0.1, -2.5, 1.0 / 3.0, 1e300, 5e-324};
  for (int i = 0; i < 4; ++i) {
    conn->Execute("insert into item (k, n, f) values (?, ?, ?)", {"k" + std::to_string(i), extremes[i], doubles[i]});
  }
  conn->Execute("insert into item (k, n, f) values (?, ?, ?)", {"k4", int16_t{-7}, doubles[4]});
  auto rs = conn->Query("select n, f from item order by k");
  for (int i = 0; i < 5; ++i, rs->MoveNext()) {
    ASSERT_FALSE(rs->IsEOF());
    const Variant n = rs->Field("n");
    EXPECT_EQ(n.type(), Variant::Type::Int64);
    EXPECT_EQ(n.toInt64(), i < 4 ? extremes[i] : -7);
    const Variant f = rs->Field("f");
    EXPECT_EQ(f.type(), Variant::Type::Double);
    EXPECT_EQ(f.toDouble(), doubles[i]);
  }
  EXPECT_TRUE(rs->IsEOF());
}

TEST_P(ConnectionTest, BooleansBindAsOneAndZero) {
  conn->Execute("create table flag (id integer, b integer)");
  conn->Execute("insert into flag (id, b) values (1, ?), (2, ?)", {true, false});
  EXPECT_EQ(ScalarOf(*conn, "select b from flag where id = 1").toInt64(), 1);
  EXPECT_EQ(ScalarOf(*conn, "select b from flag where id = 2").toInt64(), 0);
  EXPECT_EQ(ScalarOf(*conn, "select count(*) from flag where b = ?", {true}).toInt64(), 1);
}

TEST_P(ConnectionTest, DatesAreWrittenAndReadAsIsoText) {
  using namespace std::chrono;
  conn->Execute("create table doc (id integer, dCreateDate varchar(10))");
  conn->Execute("insert into doc (id, dCreateDate) values (1, ?)", {Variant(year{2024} / February / 29)});
  EXPECT_EQ(ScalarOf(*conn, "select dCreateDate from doc"), Variant("2024-02-29"));
  EXPECT_EQ(ScalarOf(*conn, "select count(*) from doc where dCreateDate = ?", {"2024-02-29"}).toInt64(), 1);
  if (backend() == Backend::Postgres) {
    // A real date column reads back as the same text.
    EXPECT_EQ(ScalarOf(*conn, "select cast(? as date)", {Variant(year{2003} / March / 1)}), Variant("2003-03-01"));
  }
}

TEST_P(ConnectionTest, ColumnsAreFoundWithoutRegardToCase) {
  conn->Execute("create table BarCodeRuleItem (ruleId varchar(20), \"index\" integer, relevantValue varchar(20))");
  conn->Execute("insert into BarCodeRuleItem (ruleId, \"index\", relevantValue) values (?, ?, ?)", {"R1", 3, "X"});
  auto rs = conn->Query("select ruleId, \"index\", relevantValue from barcoderuleitem");
  EXPECT_EQ(rs->Field("RULEID"), Variant("R1"));
  EXPECT_EQ(rs->Field("ruleid"), Variant("R1"));
  EXPECT_EQ(rs->Field("Index").toInt32(), 3);
  EXPECT_EQ(rs->FindField("RelevantValue"), 2);
  EXPECT_EQ(rs->FindField("nothing"), -1);
  Error error = CaughtError([&] { rs->Field("cBarCode"); });
  EXPECT_THAT(error.description(), HasSubstr("cBarCode"));
}

TEST_P(ConnectionTest, ExecuteCountsChangedRows) {
  CreateItems();
  EXPECT_EQ(conn->Execute("insert into item (k, n) values ('a', 1), ('b', 2), ('c', 3)"), 3);
  EXPECT_EQ(conn->Execute("update item set n = n + 1 where n >= ?", {int64_t{2}}), 2);
  EXPECT_EQ(conn->Execute("create table other (x integer)"), 0);
  EXPECT_EQ(conn->Execute("delete from item where k = ?", {"none"}), 0);
}

TEST_P(ConnectionTest, PlaceholdersInsideLiteralsAndCommentsAreText) {
  auto rs = conn->Query("select '?' as q, ? as v /* why? */ -- really?\n", {"x"});
  EXPECT_EQ(rs->Field("q"), Variant("?"));
  EXPECT_EQ(rs->Field("v"), Variant("x"));
}

TEST_P(ConnectionTest, WrongParameterCountIsRefused) {
  CreateItems();
  Error error = CaughtError([&] { conn->Execute("insert into item (k, n) values (?, ?)", {"a"}); });
  EXPECT_THAT(error.description(), HasSubstr("需要 2 个参数"));
  EXPECT_EQ(CountRows(*conn, "item"), 0);
}

TEST_P(ConnectionTest, OneStatementPerExecuteAndScriptsForMore) {
  EXPECT_THROW(conn->Execute("create table a (x integer); create table b (x integer)"), Error);
  conn->ExecuteScript("create table a (x integer); create table b (x integer);\ninsert into a values (1);");
  EXPECT_EQ(CountRows(*conn, "a"), 1);
  EXPECT_EQ(CountRows(*conn, "b"), 0);
  Error error =
      CaughtError([&] { conn->ExecuteScript("insert into a values (2); insert into missing_table values (1)"); });
  EXPECT_THAT(error.description(), HasSubstr("missing_table"));
}

TEST_P(ConnectionTest, FailingStatementRaisesTheDatabaseOwnText) {
  CreateItems();
  Error missing = CaughtError([&] { conn->Query("select * from missing_table"); });
  EXPECT_EQ(missing.number(), Error::kDatabase);
  EXPECT_THAT(missing.description(), HasSubstr("missing_table"));
  EXPECT_THAT(missing.description(), Not(::testing::EndsWith("\n")));

  conn->Execute("insert into item (k) values (?)", {"dup"});
  Error duplicate = CaughtError([&] { conn->Execute("insert into item (k) values (?)", {"dup"}); });
  EXPECT_THAT(duplicate.description(),
              HasSubstr(backend() == Backend::Sqlite ? "UNIQUE constraint failed" : "duplicate key value"));
  // The connection goes on working after a failed statement.
  EXPECT_EQ(CountRows(*conn, "item"), 1);
}

TEST_P(ConnectionTest, RolledBackTransactionLeavesNothing) {
  CreateItems();
  conn->BeginTrans();
  EXPECT_TRUE(conn->InTransaction());
  conn->Execute("insert into item (k) values (?)", {"gone"});
  EXPECT_EQ(CountRows(*conn, "item"), 1);
  conn->RollbackTrans();
  EXPECT_FALSE(conn->InTransaction());
  EXPECT_EQ(CountRows(*conn, "item"), 0);
}

TEST_P(ConnectionTest, CommittedTransactionIsSeenByAnotherConnection) {
  CreateItems();
  auto other = Connection::Open(connectionString());
  conn->BeginTrans();
  conn->Execute("insert into item (k) values (?)", {"kept"});
  EXPECT_EQ(CountRows(*other, "item"), 0);
  conn->CommitTrans();
  EXPECT_EQ(CountRows(*other, "item"), 1);
}

TEST_P(ConnectionTest, NestedBeginIsRefusedAndTheOuterTransactionGoesOn) {
  CreateItems();
  conn->BeginTrans();
  conn->Execute("insert into item (k) values (?)", {"a"});
  Error nested = CaughtError([&] { conn->BeginTrans(); });
  EXPECT_EQ(nested.description(), "事务已经开始，不支持嵌套事务");
  EXPECT_TRUE(conn->InTransaction());
  conn->Execute("insert into item (k) values (?)", {"b"});
  conn->CommitTrans();
  EXPECT_EQ(CountRows(*conn, "item"), 2);
}

TEST_P(ConnectionTest, CommitOrRollbackWithoutTransactionIsRefused) {
  EXPECT_THAT(CaughtError([&] { conn->CommitTrans(); }).description(), HasSubstr("没有已开始的事务"));
  EXPECT_THAT(CaughtError([&] { conn->RollbackTrans(); }).description(), HasSubstr("没有已开始的事务"));
}

TEST_P(ConnectionTest, TransactionObjectRollsBackUnlessCommitted) {
  CreateItems();
  try {
    Transaction transaction(*conn);
    conn->Execute("insert into item (k) values (?)", {"a"});
    conn->Execute("insert into missing_table values (1)");
    transaction.Commit();
  } catch (const Error&) {
  }
  EXPECT_FALSE(conn->InTransaction());
  EXPECT_EQ(CountRows(*conn, "item"), 0);
  {
    Transaction transaction(*conn);
    conn->Execute("insert into item (k) values (?)", {"b"});
    transaction.Commit();
  }
  EXPECT_EQ(CountRows(*conn, "item"), 1);
}

TEST_P(ConnectionTest, StatementErrorInsideTransaction) {
  CreateItems();
  conn->BeginTrans();
  conn->Execute("insert into item (k) values (?)", {"a"});
  EXPECT_THROW(conn->Execute("insert into item (k) values (?)", {"a"}), Error);
  if (backend() == Backend::Postgres) {
    // The server aborted the transaction: committing it must not look like success.
    EXPECT_THROW(conn->Execute("insert into item (k) values (?)", {"b"}), Error);
    Error commit = CaughtError([&] { conn->CommitTrans(); });
    EXPECT_THAT(commit.description(), HasSubstr("回滚"));
    EXPECT_EQ(CountRows(*conn, "item"), 0);
  } else {
    // SQLite undoes only the failing statement.
    conn->CommitTrans();
    EXPECT_EQ(CountRows(*conn, "item"), 1);
  }
  EXPECT_FALSE(conn->InTransaction());
  conn->Execute("insert into item (k) values (?)", {"c"});
  EXPECT_EQ(ScalarOf(*conn, "select count(*) from item where k = 'c'").toInt64(), 1);
}

TEST_P(ConnectionTest, PreparedStatementsAreReusedAndTheCacheIsBounded) {
  CreateItems();
  const std::size_t before = CachedStatements(*conn);
  for (int64_t i = 0; i < 300; ++i) {
    conn->Execute("insert into item (k, n) values (?, ?)", {"k" + std::to_string(i), i});
    EXPECT_EQ(ScalarOf(*conn, "select n from item where k = ?", {"k" + std::to_string(i)}).toInt64(), i);
  }
  EXPECT_EQ(CachedStatements(*conn), before + 2);
  EXPECT_EQ(ScalarOf(*conn, "select sum(n) from item").toDouble(), 299.0 * 300 / 2);

  for (int i = 0; i < 150; ++i) ScalarOf(*conn, "select " + std::to_string(i) + " as v");
  EXPECT_LE(CachedStatements(*conn), 100u);
  // Evicted statements are prepared again when they come back.
  EXPECT_EQ(ScalarOf(*conn, "select 7 as v").toInt64(), 7);
  EXPECT_EQ(ScalarOf(*conn, "select n from item where k = ?", {"k5"}).toInt64(), 5);
}

TEST_P(ConnectionTest, CachedQuerySeesTheTableAfterItChanged) {
  CreateItems();
  conn->Execute("insert into item (k, n) values ('a', 1)");
  EXPECT_EQ(conn->Query("select * from item")->FieldCount(), 3);
  conn->ExecuteScript("alter table item add column extra varchar(10)");
  auto rs = conn->Query("select * from item");
  EXPECT_EQ(rs->FieldCount(), 4);
  EXPECT_TRUE(rs->Field("extra").isNull());
}

TEST_P(ConnectionTest, SameQueryOpenTwiceReadsIndependently) {
  CreateItems();
  for (int64_t i = 1; i <= 3; ++i) conn->Execute("insert into item (k, n) values (?, ?)", {"k" + std::to_string(i), i});
  const std::string sql = "select n from item where n >= ? order by n";
  auto first = conn->Query(sql, {int64_t{1}});
  auto second = conn->Query(sql, {int64_t{2}});
  EXPECT_EQ(first->Field("n").toInt64(), 1);
  EXPECT_EQ(second->Field("n").toInt64(), 2);
  second->MoveNext();
  EXPECT_EQ(second->Field("n").toInt64(), 3);
  second->MoveNext();
  EXPECT_TRUE(second->IsEOF());
  EXPECT_THROW(second->Field("n"), Error);
  EXPECT_THROW(second->MoveNext(), Error);
  // The second result set is done; the first still holds its statement, so a third gets its own.
  auto third = conn->Query(sql, {int64_t{3}});
  EXPECT_EQ(third->Field("n").toInt64(), 3);
  first->MoveNext();
  EXPECT_EQ(first->Field("n").toInt64(), 2);
  first->MoveNext();
  EXPECT_EQ(first->Field("n").toInt64(), 3);
  first->MoveNext();
  EXPECT_TRUE(first->IsEOF());
}

TEST_P(ConnectionTest, ClientRecordsetCanBeReadTwice) {
  CreateItems();
  conn->Execute("insert into item (k, n) values ('a', 1), ('b', 2)");
  std::shared_ptr<ClientRecordset> rows;
  {
    auto rs = conn->Query("select k, n from item order by k");
    rows = ClientRecordset::ReadAll(*rs);
  }
  conn->Close();  // the rows live on without their statement and connection
  ASSERT_EQ(rows->RecordCount(), 2);
  for (int pass = 0; pass < 2; ++pass) {
    std::string seen;
    for (; !rows->IsEOF(); rows->MoveNext()) seen += rows->Field("K").toString() + rows->Field("N").toString();
    EXPECT_EQ(seen, "a1b2");
    rows->MoveFirst();
  }
}

TEST_P(ConnectionTest, CallsProcedureWithOutputParameter) {
  if (backend() == Backend::Postgres) {
    conn->ExecuteScript(R"(
      create function qs_test_lookup(cCode varchar, out cRetValue varchar) as $$
      begin
        cRetValue := case when cCode = 'used' then '单据 1' else ' ' end;
      end $$ language plpgsql;)");
  } else {
    Connection::RegisterEmulatedProcedure("QS_Test_Lookup", [](Connection& c, std::vector<ProcedureParameter>& p) {
      p[1].value = ScalarOf(c, "select case when ? = 'used' then '单据 1' else ' ' end", {p[0].value});
    });
  }
  auto call = [&](const std::string& code) {
    std::vector<ProcedureParameter> params = {
        {"cCode", ProcedureParameter::Direction::Input, code, 200},
        {"cRetValue", ProcedureParameter::Direction::Output, Variant(), 60},
    };
    conn->CallProcedure("qs_test_lookup", params);
    return params[1].value;
  };
  EXPECT_EQ(call("used"), Variant("单据 1"));
  EXPECT_EQ(call("free"), Variant(" "));

  std::vector<ProcedureParameter> none;
  Error missing = CaughtError([&] { conn->CallProcedure("qs_no_such_procedure", none); });
  EXPECT_THAT(missing.description(), HasSubstr("qs_no_such_procedure"));
  if (backend() == Backend::Sqlite) Connection::RegisterEmulatedProcedure("qs_test_lookup", {});
}

TEST_P(ConnectionTest, WriterFromAnotherConnectionWaitsForTheLock) {
  CreateItems();
  auto other = Connection::Open(connectionString());
  conn->BeginTrans();
  conn->Execute("insert into item (k) values (?)", {"first"});
  std::string failure;
  std::thread writer([&] {
    try {
      other->Execute("insert into item (k) values (?)", {"second"});
    } catch (const Error& e) {
      failure = e.description();
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  conn->CommitTrans();
  writer.join();
  EXPECT_EQ(failure, "");
  EXPECT_EQ(CountRows(*conn, "item"), 2);
}

TEST_P(ConnectionTest, AnotherProcessOpensTheSameDatabase) {
  CreateItems();
  const std::string cs = connectionString();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int code = 1;
    try {
      auto own = Connection::Open(cs);
      own->Execute("insert into item (k, n) values (?, ?)", {"child", int64_t{42}});
      own->Close();
      code = 0;
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ScalarOf(*conn, "select n from item where k = ?", {"child"}).toInt64(), 42);
}

TEST_P(ConnectionTest, CloseIsIdempotentAndAClosedConnectionRefusesWork) {
  CreateItems();
  conn->Execute("insert into item (k, n) values ('a', 1), ('b', 2)");
  auto open_rows = conn->Query("select n from item order by n");
  conn->Close();
  conn->Close();
  EXPECT_FALSE(conn->IsOpen());
  EXPECT_EQ(CaughtError([&] { conn->Execute("select 1"); }).description(), "数据库连接已关闭");
  EXPECT_THROW(conn->BeginTrans(), Error);
  // The current row of a result set stays readable; the result set is released without leaks.
  EXPECT_EQ(open_rows->Field("n").toInt64(), 1);
  open_rows.reset();
}

QS_INSTANTIATE_BACKENDS(ConnectionTest);

TEST(ConnectionOpen, RefusesUnknownSchemesWithoutShowingTheRest) {
  Error error = CaughtError([] { Connection::Open("odbc:uid=sa;pwd=secret"); });
  EXPECT_THAT(error.description(), HasSubstr("sqlite:"));
  EXPECT_THAT(error.description(), Not(HasSubstr("secret")));
}

TEST(ConnectionOpen, ReportsTheDatabaseOwnOpenFailure) {
  EXPECT_THAT(CaughtError([] { Connection::Open("sqlite:/no/such/folder/x.db"); }).description(),
              HasSubstr("unable to open database file"));
  EXPECT_THAT(CaughtError([] { Connection::Open("postgresql://postgres@127.0.0.1:1/postgres"); }).description(),
              HasSubstr("无法连接 PostgreSQL 数据库"));
  EXPECT_THROW(Connection::Open("sqlite:"), Error);
}

TEST(ConnectionOpen, InMemorySqliteDatabasesArePrivate) {
  auto a = Connection::Open("sqlite::memory:");
  auto b = Connection::Open("sqlite::memory:");
  EXPECT_EQ(a->backend(), Backend::Sqlite);
  a->Execute("create table t (x integer)");
  EXPECT_THROW(b->Query("select * from t"), Error);
  std::vector<ProcedureParameter> none;
  EXPECT_THAT(CaughtError([&] { a->CallProcedure("qs_unregistered", none); }).description(),
              HasSubstr("qs_unregistered"));
}

TEST(PlaceholderTranslation, SkipsQuotedTextCommentsAndBodies) {
  int count = 0;
  EXPECT_EQ(TranslatePlaceholders("select ? , '?''?' , \"a?\" , ?", &count), "select $1 , '?''?' , \"a?\" , $2");
  EXPECT_EQ(count, 2);
  EXPECT_EQ(TranslatePlaceholders("x = E'\\'?' and y = ?", &count), "x = E'\\'?' and y = $1");
  EXPECT_EQ(TranslatePlaceholders("-- ?\n? /* ? /* ? */ ? */ ?", &count), "-- ?\n$1 /* ? /* ? */ ? */ $2");
  EXPECT_EQ(TranslatePlaceholders("as $$ ? $$, $body$ ? $$ ? $body$ ?", &count), "as $$ ? $$, $body$ ? $$ ? $body$ $1");
  EXPECT_EQ(count, 1);
  EXPECT_EQ(TranslatePlaceholders("select 'unterminated ?", &count), "select 'unterminated ?");
  EXPECT_EQ(count, 0);
}

TEST(ClientRecordsetTest, ReadsAndRefusesLikeAServerResult) {
  ClientRecordset rows({"cInvCode", "存货名称"}, {{Variant("A1"), Variant("螺丝")}});
  EXPECT_EQ(rows.Field("CINVCODE"), Variant("A1"));
  EXPECT_EQ(rows.Field("存货名称"), Variant("螺丝"));
  EXPECT_THAT(CaughtError([&] { rows.Field("cInvName"); }).description(), HasSubstr("cInvName"));
  EXPECT_THROW(rows.Field(2), Error);
  rows.MoveNext();
  EXPECT_TRUE(rows.IsEOF());
  EXPECT_THROW(rows.Field(0), Error);
  EXPECT_THROW(rows.MoveNext(), Error);
  EXPECT_THROW(ClientRecordset({"a"}, {{Variant(1), Variant(2)}}), Error);
}

}  // namespace
}  // namespace quillstone
