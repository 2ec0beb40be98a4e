// The one SQLite file both sides of the side-by-side benchmark work on: the demo data, a rule of a
// realistic shape assigned three class levels above its item, a user with 1,000 data-rights ids,
// service roots for the administrator and that user, and the registry filled to a given size.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/server/clsBarCodeSystem.h"

namespace quillstone {
class Connection;
class clsBarCodeRule;
class clsInventoryInfo;
class clsRuleAssign;
}  // namespace quillstone

namespace quillstone::bench {

// Inventory, batch, production date, expiry date, free item 1, running number, check: 35
// characters, for item P001 (class 0101001) under an assignment to its top class 01.
inline constexpr const char* kRuleId = "SBS";
inline constexpr const char* kAssignedClass = "01";
inline constexpr const char* kInventory = "P001";
inline constexpr const char* kRestrictedUser = "rights1000";
inline constexpr int kVisibleIds = 1000;
inline constexpr int16_t kSequenceIndex = 6;

class BenchDatabase {
 public:
  // A new SQLite file at `path` (WAL, synchronous FULL), removed again at the end.
  static std::unique_ptr<BenchDatabase> OnSqlite(const std::string& path);
  // A schema of its own on the PostgreSQL server of `url`, dropped again at the end. The
  // library's connections ask the server to log every statement they run, so that the round
  // trips can be counted from the server's log.
  static std::unique_ptr<BenchDatabase> OnPostgres(const std::string& url);
  ~BenchDatabase();
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;

  const std::string& path() const { return path_; }
  const std::string& connectionString() const { return connStr_; }
  clsBarCodeSystem& admin() { return admin_; }
  clsBarCodeSystem& restricted() { return restricted_; }
  Connection& conn() { return *conn_; }

  // The properties a document line of P001 carries, as a new object each time.
  static std::shared_ptr<clsInventoryInfo> Inventory();
  const std::shared_ptr<clsBarCodeRule>& rule() const { return rule_; }
  const std::shared_ptr<clsRuleAssign>& assign() const { return assign_; }

  // Registers barcodes through the library's bulk registration until the registry holds `rows`.
  void FillTo(int64_t rows);
  int64_t RegistrySize();
  // Every barcode the fill registered, to pick lookups from.
  const std::vector<std::string>& barCodes() const { return barCodes_; }

 private:
  BenchDatabase() = default;
  void Start();
  void PrepareHostData();
  void CreateRule();

  std::string path_;
  std::string connStr_;
  std::string pgSchema_;
  std::shared_ptr<Connection> pgAdmin_;
  std::shared_ptr<Connection> conn_;
  std::shared_ptr<Connection> restrictedConn_;
  clsBarCodeSystem admin_;
  clsBarCodeSystem restricted_;
  std::shared_ptr<clsBarCodeRule> rule_;
  std::shared_ptr<clsRuleAssign> assign_;
  std::vector<std::string> barCodes_;
};

}  // namespace quillstone::bench
