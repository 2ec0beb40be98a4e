#include "quillstone/server/schema/Schema.h"

#include <strings.h>

#include <string>

#include "src/quillstone/server/schema/SchemaScripts.h"
#include "quillstone/model/SegmentKind.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "quillstone/platform/Transaction.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

struct CatalogueRow {
  int32_t id;
  const char* name;
  int32_t length;
};

// The symbologies a rule may name; the length is the longest barcode the type carries here.
const CatalogueRow kBarCodeTypes[] = {
    {1, "Code 128", 128},    {2, "EAN-13", 13},   {3, "Code 39", 43},         {4, "QR Code", 128},
    {5, "Data Matrix", 128}, {6, "GS1-128", 128}, {7, "GS1 DataMatrix", 128}, {8, "GS1 QR Code", 128},
};

// Rows added to the catalogue after its first release; an upgrade inserts those a database lacks.
constexpr std::size_t kFirstAddedBarCodeType = 5;

// The number of columns named `column` in `table` (all columns when `column` is empty): 0 also
// when the table does not exist.
int64_t ColumnCount(Connection& conn, const std::string& table, const std::string& column) {
  std::string sql = conn.backend() == Backend::Postgres
                        ? "select count(*) as n from information_schema.columns where table_schema = current_schema()"
                          " and table_name = lower(?)"
                        : "select count(*) as n from pragma_table_info(?) where 1 = 1";
  std::vector<Variant> params{Variant(table)};
  if (!column.empty()) {
    sql += conn.backend() == Backend::Postgres ? " and column_name = lower(?)" : " and lower(name) = lower(?)";
    params.emplace_back(column);
  }
  return NullToLng(FirstField(conn, sql, params, "n").value_or(Variant(int32_t{0})));
}

void AddRuleItemAi(Connection& conn) {
  if (ColumnCount(conn, "BarCodeRuleItem", "ai") > 0) return;
  try {
    conn.Execute("alter table BarCodeRuleItem add column ai varchar(4)");
  } catch (const Error&) {
    // Another client may have added it in the meantime; anything else is a real failure.
    if (ColumnCount(conn, "BarCodeRuleItem", "ai") == 0) throw;
  }
}

void AddBarCodeTypes(Connection& conn) {
  for (std::size_t i = kFirstAddedBarCodeType; i < std::size(kBarCodeTypes); ++i) {
    const auto& row = kBarCodeTypes[i];
    // A site may have numbered types of its own: the name decides whether the row is there, and a
    // new row takes the next free number.
    conn.Execute(
        "insert into BarCodeType (typeId, typeName, length) select (select coalesce(max(typeId), 0) + 1 from"
        " BarCodeType), cast(? as varchar(60)), cast(? as integer) where not exists (select 1 from BarCodeType"
        " where typeName = ?)",
        {Variant(std::string(row.name)), Variant(row.length), Variant(std::string(row.name))});
  }
}

void InsertCatalogue(Connection& conn, const std::string& sql, const CatalogueRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    conn.Execute(sql, {Variant(rows[i].id), Variant(std::string(rows[i].name)), Variant(rows[i].length)});
}

void AddTradeItemGtin(Connection& conn) {
  if (ColumnCount(conn, "TradeItemGtin", "") > 0) return;
  try {
    conn.ExecuteScript(schema_sql::kTradeItemGtinTable);
  } catch (const Error&) {
    // Another client may have made it in the meantime; anything else is a real failure.
    if (ColumnCount(conn, "TradeItemGtin", "") == 0) throw;
  }
}

std::string TablesScript(Backend backend) {
  std::string script = schema_sql::kTables;
  const std::string gtinToken = "@TRADEITEMGTIN@";
  script.replace(script.find(gtinToken), gtinToken.size(), schema_sql::kTradeItemGtinTable);
  const std::string token = schema_sql::kIdentityToken;
  const char* identity = backend == Backend::Postgres ? schema_sql::kPostgresIdentity : schema_sql::kSqliteIdentity;
  for (auto at = script.find(token); at != std::string::npos; at = script.find(token, at))
    script.replace(at, token.size(), identity);
  return script;
}

ProcedureParameter* FindParameter(std::vector<ProcedureParameter>& params, const char* name,
                                  ProcedureParameter::Direction direction) {
  for (auto& p : params)
    if (strcasecmp(p.name.c_str(), name) == 0) return &p;
  // Unnamed callers pass them in order: the barcode first, then the answer.
  for (auto& p : params)
    if (p.name.empty() && p.direction == direction) return &p;
  return nullptr;
}

// sp_BarCodeUsed on SQLite: the same query the PostgreSQL function runs.
void BarCodeUsed(Connection& conn, std::vector<ProcedureParameter>& params) {
  auto* code = FindParameter(params, "cCode", ProcedureParameter::Direction::Input);
  auto* answer = FindParameter(params, "cRetValue", ProcedureParameter::Direction::Output);
  Assert(code != nullptr && answer != nullptr, "sp_BarCodeUsed需要参数cCode和cRetValue");
  auto used = FirstField(conn, schema_sql::kBarCodeUsedQuery, {Variant(NullToStr(code->value))}, "cRetValue");
  answer->value = Variant(used ? NullToStr(*used) : std::string());
}

}  // namespace

void Schema::RegisterProcedures() {
  // Registered again on every call (it is cheap), so a body removed meanwhile comes back.
  Connection::RegisterEmulatedProcedure("sp_BarCodeUsed", &BarCodeUsed);
}

void Schema::Create(Connection& conn) {
  RegisterProcedures();
  Transaction tx(conn);
  conn.ExecuteScript(TablesScript(conn.backend()));
  if (conn.backend() == Backend::Postgres) conn.ExecuteScript(schema_sql::kPostgresProcedures);
  // One row per segment kind, without gaps: the item source manager hands sources out by row.
  for (const SegmentKind& kind : SegmentKind::All()) {
    conn.Execute("insert into ItemSourceType (sourceType, sourceName, length) values (?, ?, ?)",
                 {Variant(int32_t{kind.type}), Variant(kind.catalogueName), Variant(int32_t{kind.defaultLength})});
  }
  InsertCatalogue(conn, "insert into BarCodeType (typeId, typeName, length) values (?, ?, ?)", kBarCodeTypes,
                  std::size(kBarCodeTypes));
  tx.Commit();
}

void Schema::Upgrade(Connection& conn) {
  if (ColumnCount(conn, "BarCodeRuleItem", "") == 0) return;
  AddRuleItemAi(conn);
  AddBarCodeTypes(conn);
  AddTradeItemGtin(conn);
}

void Schema::LoadDemo(Connection& conn) {
  Transaction tx(conn);
  conn.ExecuteScript(schema_sql::kDemoData);
  tx.Commit();
}

}  // namespace quillstone
