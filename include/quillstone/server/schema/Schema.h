// Creates the library's tables and the host tables it reads on an empty database (SQLite or
// PostgreSQL), with the catalogue rows, and loads the demonstration data set.
#pragma once

namespace quillstone {

class Connection;

class Schema {
 public:
  // Creates every table, index and sp_BarCodeUsed in one transaction, then fills the catalogues
  // ItemSourceType (25 rows, sourceType 0 to 24) and BarCodeType. The database must not hold
  // these tables yet.
  static void Create(Connection& conn);

  // Brings the tables of an older release up to this one in place, keeping their rows: adds
  // BarCodeRuleItem.ai and the GS1 rows of BarCodeType where missing. Does nothing on a database
  // without the barcode tables, and only reads when it is up to date, so it may run on every start.
  static void Upgrade(Connection& conn);

  // Loads the demonstration master data, users and rights (see DemoData.cpp for every code and
  // barcode) into a database made by Create, in one transaction.
  static void LoadDemo(Connection& conn);

  // Makes sp_BarCodeUsed callable on SQLite connections, which keep no procedure bodies.
  // Idempotent; Create and the default host's common services call it.
  static void RegisterProcedures();
};

}  // namespace quillstone
