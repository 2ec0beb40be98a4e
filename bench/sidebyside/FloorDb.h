// The floor of the side-by-side benchmark: the database work of each library operation done
// directly through the SQLite C API, with only the statements the result needs, each prepared
// once on a connection of its own.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillstone::bench {

class FloorDb {
 public:
  // A registry row with the columns the library's record carries.
  struct RegistryRow {
    std::string barCode, createDate, assignId, ruleId, invCode, invName, invClassId, invClassName;
    std::string free[10];
    std::string batch, vendor, position, warehouse, madeDate, disableDate, massDay, unit, unitCost;
    bool abandoned = false;
  };
  // What a decoded barcode tells about its item.
  struct Decoded {
    std::string invCode, invName, invClassId, invClassName, batch, madeDate, disableDate, free1;
  };
  struct RuleItem {
    int index = 0, length = 0, type = 0;
    std::string relevantValue, sourceName;
  };
  struct Rule {
    std::string ruleId, ruleName, barCodeType, description;
    int length = 0;
    std::vector<RuleItem> items;
  };
  // The properties of the document line the barcodes are made for.
  struct Line {
    std::string invCode, invName, invClassId, invClassName, batch, madeDate, disableDate, free1;
    int massDay = 0;
  };

  FloorDb(const std::string& path, int visibleIds);
  ~FloorDb();
  FloorDb(const FloorDb&) = delete;
  FloorDb& operator=(const FloorDb&) = delete;

  bool Load(const std::string& barCode, RegistryRow& row);
  // The same lookup limited to the items whose ids the temporary table of visible ids holds.
  bool LoadVisible(const std::string& barCode, RegistryRow& row);
  // Whether the registered properties agree with the line's (raises on a missing barcode).
  bool Verify(const std::string& barCode, const Line& line);
  Decoded Decode(const std::string& barCode);
  // The assignment of `invCode`, or of the nearest class above it: its id and rule.
  std::pair<std::string, std::string> FindAssign(const std::string& invCode);
  Rule LoadRule(const std::string& ruleId);
  std::string Encode(const Line& line);
  // One durable registration: the checks, one number drawn, one row, one commit.
  std::string Register(const Line& line);
  // `count` registrations in one transaction: checks once, one draw of `count` numbers.
  std::vector<std::string> RegisterMany(const Line& line, int count);
  // Every registry row, each as its column texts joined by a unit separator: the least a listing
  // that holds all rows in memory keeps.
  std::vector<std::string> ListAll();

 private:
  // A deferred transaction around the statements of one read: one lock instead of one each.
  class ReadTransaction {
   public:
    explicit ReadTransaction(FloorDb& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

   private:
    FloorDb& db_;
  };

  sqlite3_stmt* Prepared(const char* sql);
  void Exec(const char* sql);
  void CheckLine(const Line& line);
  int64_t DrawNumbers(int count);
  void Insert(const Line& line, const std::string& barCode, const std::string& today);
  std::string BarCodeOf(const Line& line, const std::string& invBarCode, const std::string& freeBarCode,
                        int64_t number) const;

  sqlite3* db_ = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> statements_;
  std::string assignId_;
};

}  // namespace quillstone::bench
