// The SQL texts behind Schema: the table script shared by both backends, each backend's own
// part, and the demonstration data.
#pragma once

namespace quillstone::schema_sql {

// Every table and index. The token @IDENTITY@ stands for the backend's integer row-id column
// definition (Inventory.iid is numbered by the database in the order of insertion).
extern const char* const kTables;
extern const char* const kIdentityToken;
extern const char* const kSqliteIdentity;
extern const char* const kPostgresIdentity;

// The GTINs of packaging levels (a carton, a case of an item kept in master data by its unit's
// GTIN): part of kTables, and run alone on a database made before the table existed.
extern const char* const kTradeItemGtinTable;

// sp_BarCodeUsed as a PL/pgSQL function.
extern const char* const kPostgresProcedures;
// The query sp_BarCodeUsed runs, with the barcode as its one parameter; answers the first
// document line that references the barcode, or no row.
extern const char* const kBarCodeUsedQuery;

extern const char* const kDemoData;

}  // namespace quillstone::schema_sql
