#include "cli/DatabaseSetup.h"

#include "cli/CliError.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/schema/Schema.h"

namespace quillstone::cli {
namespace {

bool HasBarCodeTables(Connection& conn) {
  try {
    conn.Query("select count(*) from BarCodeRule");
    return true;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

void DatabaseSetup::Create(Connection& conn, bool demo) {
  if (HasBarCodeTables(conn)) throw CliError("数据库中已经有条码表");
  Schema::Create(conn);
  if (demo) Schema::LoadDemo(conn);
}

}  // namespace quillstone::cli
