#include "FloorDb.h"

#include <chrono>
#include <stdexcept>

namespace quillstone::bench {
namespace {

constexpr const char* kRowColumns =
    "b.cBarCode,b.dCreateDate,b.cAssignId,b.cRuleId,b.cInvCode,b.cInvName,b.cInvCCode,b.cInvCName,"
    "b.cFree1,b.cFree2,b.cFree3,b.cFree4,b.cFree5,b.cFree6,b.cFree7,b.cFree8,b.cFree9,b.cFree10,"
    "b.cBatch,b.cVenCode,b.cPostion,b.cWhCode,b.dMDate,b.dVDate,b.iMassDate,b.cAssUnit,b.fUnitCost,b.bAbandon";

const std::string kLoadSql = std::string("select ") + kRowColumns + " from InventoryBarCodeSet b where b.cBarCode = ?";
const std::string kLoadVisibleSql = std::string("select ") + kRowColumns +
                                    " from InventoryBarCodeSet b join Inventory i on i.cInvCode = b.cInvCode"
                                    " where b.cBarCode = ? and i.iid in (select iid from temp.visible)";
const std::string kListSql = std::string("select ") + kRowColumns + " from InventoryBarCodeSet b";

constexpr const char* kDecodeInventory =
    "select i.cInvCode,i.cInvName,i.cInvCCode,c.cInvCName from Inventory i"
    " left join InventoryClass c on c.cInvCCode = i.cInvCCode where i.cBarCode = ?";
constexpr const char* kDecodeFree = "select cValue from UserDefine where cID = '1' and cBarCode = ?";
constexpr const char* kAssignOfItem =
    "select a.assignId,a.ruleId,i.cInvName,r.ruleName from RuleAssign a left join Inventory i on i.cInvCode = a.invId"
    " left join BarCodeRule r on r.ruleId = a.ruleId where a.assignType = 1 and a.invId = ?";
constexpr const char* kClassOfItem = "select cInvCCode from Inventory where cInvCode = ?";
constexpr const char* kClassCoding = "select codingrule from GradeDef where keyword = 'inventoryclass'";
constexpr const char* kAssignOfClass =
    "select a.assignId,a.ruleId,c.cInvCName,r.ruleName from RuleAssign a"
    " left join InventoryClass c on c.cInvCCode = a.classId left join BarCodeRule r on r.ruleId = a.ruleId"
    " where a.assignType = 0 and a.classId = ?";
constexpr const char* kRuleHeader =
    "select ruleId,ruleName,length,barcodeType,description from BarCodeRule where ruleId = ?";
constexpr const char* kRuleItems =
    "select r.\"index\",r.length,r.itemSourceType,r.relevantValue,t.sourceName from BarCodeRuleItem r"
    " join ItemSourceType t on t.sourceType = r.itemSourceType where r.ruleId = ? order by r.\"index\"";
constexpr const char* kInventoryBarCode = "select cBarCode from Inventory where cInvCode = ?";
constexpr const char* kFreeBarCode = "select cBarCode from UserDefine where cID = '1' and cValue = ?";
constexpr const char* kCurrentNumber =
    "select relevantValue from BarCodeRuleItem where ruleId = 'SBS' and \"index\" = 6";
constexpr const char* kItemFlags =
    "select bBarCode,bInvQuality,iMassDate,dEDate,cBarCode from Inventory where cInvCode = ?";
constexpr const char* kDrawNumbers =
    "update BarCodeRuleItem set relevantValue = substr('00000000' || (cast(relevantValue as integer) + ?), -8)"
    " where ruleId = 'SBS' and \"index\" = 6 returning relevantValue";
constexpr const char* kInsert =
    "insert into InventoryBarCodeSet(cInvCode,cBarCode,cAssignId,cRuleId,cInvName,cInvCCode,cInvCName,dCreateDate,"
    "bAbandon,cBatch,dMDate,dVDate,cFree1) values(?,?,?,'SBS',?,?,?,?,0,?,?,?,?)";

std::string Text(sqlite3_stmt* stmt, int column) {
  const unsigned char* text = sqlite3_column_text(stmt, column);
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

void Bind(sqlite3_stmt* stmt, int index, const std::string& value) {
  sqlite3_bind_text(stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

// Resets the statement when the scope ends, so every statement goes back unlocked and reusable.
struct Reset {
  sqlite3_stmt* stmt;
  ~Reset() { sqlite3_reset(stmt); }
};

void ReadRow(sqlite3_stmt* stmt, FloorDb::RegistryRow& row) {
  int c = 0;
  for (std::string* field : {&row.barCode, &row.createDate, &row.assignId, &row.ruleId, &row.invCode, &row.invName,
                             &row.invClassId, &row.invClassName})
    *field = Text(stmt, c++);
  for (std::string& free : row.free) free = Text(stmt, c++);
  for (std::string* field : {&row.batch, &row.vendor, &row.position, &row.warehouse, &row.madeDate, &row.disableDate,
                             &row.massDay, &row.unit, &row.unitCost})
    *field = Text(stmt, c++);
  row.abandoned = sqlite3_column_int(stmt, c) == 1;
}

// yyyy-mm-dd as yymmdd.
std::string ShortDate(const std::string& iso) { return iso.substr(2, 2) + iso.substr(5, 2) + iso.substr(8, 2); }
std::string IsoDate(const std::string& yymmdd) {
  return "20" + yymmdd.substr(0, 2) + "-" + yymmdd.substr(2, 2) + "-" + yymmdd.substr(4, 2);
}

std::string Today() {
  const auto day = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  const std::chrono::year_month_day ymd{day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return text;
}

}  // namespace

FloorDb::ReadTransaction::ReadTransaction(FloorDb& db) : db_(db) { db_.Exec("begin"); }

// A read has nothing to lose: a failed commit only ends the transaction.
FloorDb::ReadTransaction::~ReadTransaction() { sqlite3_exec(db_.db_, "commit", nullptr, nullptr, nullptr); }

FloorDb::FloorDb(const std::string& path, int visibleIds) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
    throw std::runtime_error("floor: cannot open " + path);
  sqlite3_busy_timeout(db_, 5000);
  Exec("PRAGMA journal_mode=WAL");
  Exec("PRAGMA synchronous=FULL");
  Exec("create temp table visible(iid integer primary key)");
  Exec("begin");
  sqlite3_stmt* add = Prepared("insert into temp.visible(iid) values(?)");
  for (int id = 1; id <= visibleIds; ++id) {
    Reset reset{add};
    sqlite3_bind_int(add, 1, id);
    sqlite3_step(add);
  }
  Exec("commit");
  sqlite3_stmt* assign = Prepared(kAssignOfClass);
  Reset reset{assign};
  Bind(assign, 1, "01");
  if (sqlite3_step(assign) == SQLITE_ROW) assignId_ = Text(assign, 0);
}

FloorDb::~FloorDb() {
  for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
  sqlite3_close_v2(db_);
}

sqlite3_stmt* FloorDb::Prepared(const char* sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK)
    throw std::runtime_error(std::string("floor: ") + sqlite3_errmsg(db_) + " in " + sql);
  statements_.emplace(sql, stmt);
  return stmt;
}

void FloorDb::Exec(const char* sql) {
  sqlite3_stmt* stmt = Prepared(sql);
  Reset reset{stmt};
  const int rc = sqlite3_step(stmt);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error(std::string("floor: ") + sqlite3_errmsg(db_));
}

bool FloorDb::Load(const std::string& barCode, RegistryRow& row) {
  sqlite3_stmt* stmt = Prepared(kLoadSql.c_str());
  Reset reset{stmt};
  Bind(stmt, 1, barCode);
  if (sqlite3_step(stmt) != SQLITE_ROW) return false;
  ReadRow(stmt, row);
  return true;
}

bool FloorDb::LoadVisible(const std::string& barCode, RegistryRow& row) {
  sqlite3_stmt* stmt = Prepared(kLoadVisibleSql.c_str());
  Reset reset{stmt};
  Bind(stmt, 1, barCode);
  if (sqlite3_step(stmt) != SQLITE_ROW) return false;
  ReadRow(stmt, row);
  return true;
}

bool FloorDb::Verify(const std::string& barCode, const Line& line) {
  RegistryRow row;
  if (!Load(barCode, row) || row.abandoned) throw std::runtime_error("floor: barcode missing or abandoned");
  // A property the registration did not store is not compared.
  auto agrees = [](const std::string& stored, const std::string& current) {
    return stored.empty() || stored == current;
  };
  return row.invCode == line.invCode && agrees(row.batch, line.batch) && agrees(row.disableDate, line.disableDate) &&
         agrees(row.free[0], line.free1) && agrees(row.madeDate, line.madeDate) &&
         agrees(row.massDay, std::to_string(line.massDay));
}

FloorDb::Decoded FloorDb::Decode(const std::string& barCode) {
  ReadTransaction transaction(*this);
  Decoded decoded;
  {
    sqlite3_stmt* stmt = Prepared(kDecodeInventory);
    Reset reset{stmt};
    Bind(stmt, 1, barCode.substr(0, 6));
    if (sqlite3_step(stmt) != SQLITE_ROW) throw std::runtime_error("floor: no item for " + barCode);
    decoded.invCode = Text(stmt, 0);
    decoded.invName = Text(stmt, 1);
    decoded.invClassId = Text(stmt, 2);
    decoded.invClassName = Text(stmt, 3);
  }
  decoded.batch = barCode.substr(6, 6);
  decoded.madeDate = IsoDate(barCode.substr(12, 6));
  decoded.disableDate = IsoDate(barCode.substr(18, 6));
  sqlite3_stmt* stmt = Prepared(kDecodeFree);
  Reset reset{stmt};
  Bind(stmt, 1, barCode.substr(24, 2));
  if (sqlite3_step(stmt) != SQLITE_ROW) throw std::runtime_error("floor: no free value in " + barCode);
  decoded.free1 = Text(stmt, 0);
  return decoded;
}

std::pair<std::string, std::string> FloorDb::FindAssign(const std::string& invCode) {
  ReadTransaction transaction(*this);
  std::pair<std::string, std::string> found;
  auto lookup = [&](const char* sql, const std::string& key) {
    sqlite3_stmt* stmt = Prepared(sql);
    Reset reset{stmt};
    Bind(stmt, 1, key);
    if (sqlite3_step(stmt) != SQLITE_ROW) return false;
    found = {Text(stmt, 0), Text(stmt, 1)};
    return true;
  };
  if (!lookup(kAssignOfItem, invCode)) {
    std::string classId, coding;
    {
      sqlite3_stmt* stmt = Prepared(kClassOfItem);
      Reset reset{stmt};
      Bind(stmt, 1, invCode);
      if (sqlite3_step(stmt) == SQLITE_ROW) classId = Text(stmt, 0);
    }
    {
      sqlite3_stmt* stmt = Prepared(kClassCoding);
      Reset reset{stmt};
      if (sqlite3_step(stmt) == SQLITE_ROW) coding = Text(stmt, 0);
    }
    // The class's own code and then the codes of the levels above it, longest first.
    std::vector<std::size_t> widths;
    std::size_t width = 0;
    for (char digit : coding) widths.push_back(width += static_cast<std::size_t>(digit - '0'));
    for (auto w = widths.rbegin(); w != widths.rend(); ++w) {
      if (*w > classId.size()) continue;
      if (lookup(kAssignOfClass, classId.substr(0, *w))) break;
    }
  }
  return found;
}

FloorDb::Rule FloorDb::LoadRule(const std::string& ruleId) {
  ReadTransaction transaction(*this);
  Rule rule;
  {
    sqlite3_stmt* stmt = Prepared(kRuleHeader);
    Reset reset{stmt};
    Bind(stmt, 1, ruleId);
    if (sqlite3_step(stmt) != SQLITE_ROW) return rule;
    rule.ruleId = Text(stmt, 0);
    rule.ruleName = Text(stmt, 1);
    rule.length = sqlite3_column_int(stmt, 2);
    rule.barCodeType = Text(stmt, 3);
    rule.description = Text(stmt, 4);
  }
  sqlite3_stmt* stmt = Prepared(kRuleItems);
  Reset reset{stmt};
  Bind(stmt, 1, ruleId);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    rule.items.push_back({sqlite3_column_int(stmt, 0), sqlite3_column_int(stmt, 1), sqlite3_column_int(stmt, 2),
                          Text(stmt, 3), Text(stmt, 4)});
  }
  return rule;
}

std::string FloorDb::BarCodeOf(const Line& line, const std::string& invBarCode, const std::string& freeBarCode,
                               int64_t number) const {
  std::string digits = std::to_string(number);
  digits.insert(0, digits.size() < 8 ? 8 - digits.size() : 0, '0');
  return invBarCode + line.batch + ShortDate(line.madeDate) + ShortDate(line.disableDate) + freeBarCode + digits + "1";
}

std::string FloorDb::Encode(const Line& line) {
  std::string invBarCode, freeBarCode;
  int64_t number = 0;
  auto first = [&](const char* sql, const std::string* key, std::string& out) {
    sqlite3_stmt* stmt = Prepared(sql);
    Reset reset{stmt};
    if (key != nullptr) Bind(stmt, 1, *key);
    if (sqlite3_step(stmt) != SQLITE_ROW) throw std::runtime_error(std::string("floor: no row for ") + sql);
    out = Text(stmt, 0);
  };
  ReadTransaction transaction(*this);
  first(kInventoryBarCode, &line.invCode, invBarCode);
  first(kFreeBarCode, &line.free1, freeBarCode);
  std::string current;
  first(kCurrentNumber, nullptr, current);
  number = std::stoll(current);
  return BarCodeOf(line, invBarCode, freeBarCode, number);
}

void FloorDb::CheckLine(const Line& line) {
  sqlite3_stmt* stmt = Prepared(kItemFlags);
  Reset reset{stmt};
  Bind(stmt, 1, line.invCode);
  if (sqlite3_step(stmt) != SQLITE_ROW || sqlite3_column_int(stmt, 0) != 1 || sqlite3_column_int(stmt, 1) != 1 ||
      sqlite3_column_int(stmt, 2) != line.massDay || !Text(stmt, 3).empty())
    throw std::runtime_error("floor: item cannot be registered");
}

int64_t FloorDb::DrawNumbers(int count) {
  sqlite3_stmt* stmt = Prepared(kDrawNumbers);
  Reset reset{stmt};
  sqlite3_bind_int(stmt, 1, count);
  if (sqlite3_step(stmt) != SQLITE_ROW) throw std::runtime_error(std::string("floor: ") + sqlite3_errmsg(db_));
  return std::stoll(Text(stmt, 0)) - count;  // the first of the numbers drawn
}

void FloorDb::Insert(const Line& line, const std::string& barCode, const std::string& today) {
  sqlite3_stmt* stmt = Prepared(kInsert);
  Reset reset{stmt};
  int i = 0;
  for (const std::string* value : std::initializer_list<const std::string*>{
           &line.invCode, &barCode, &assignId_, &line.invName, &line.invClassId, &line.invClassName, &today,
           &line.batch, &line.madeDate, &line.disableDate, &line.free1})
    Bind(stmt, ++i, *value);
  if (sqlite3_step(stmt) != SQLITE_DONE) throw std::runtime_error(std::string("floor: ") + sqlite3_errmsg(db_));
}

std::string FloorDb::Register(const Line& line) { return RegisterMany(line, 1).front(); }

// The checks read inside the write transaction: one lock for the whole registration.
std::vector<std::string> FloorDb::RegisterMany(const Line& line, int count) {
  std::vector<std::string> barCodes;
  barCodes.reserve(static_cast<std::size_t>(count));
  Exec("begin immediate");
  try {
    CheckLine(line);
    std::string invBarCode, freeBarCode;
    {
      sqlite3_stmt* stmt = Prepared(kFreeBarCode);
      Reset reset{stmt};
      Bind(stmt, 1, line.free1);
      if (sqlite3_step(stmt) != SQLITE_ROW) throw std::runtime_error("floor: free value not permitted");
      freeBarCode = Text(stmt, 0);
    }
    {
      sqlite3_stmt* stmt = Prepared(kInventoryBarCode);
      Reset reset{stmt};
      Bind(stmt, 1, line.invCode);
      if (sqlite3_step(stmt) == SQLITE_ROW) invBarCode = Text(stmt, 0);
    }
    const std::string today = Today();
    const int64_t first = DrawNumbers(count);
    for (int64_t n = first; n < first + count; ++n) {
      barCodes.push_back(BarCodeOf(line, invBarCode, freeBarCode, n));
      Insert(line, barCodes.back(), today);
    }
    Exec("commit");
  } catch (...) {
    Exec("rollback");
    throw;
  }
  return barCodes;
}

std::vector<std::string> FloorDb::ListAll() {
  std::vector<std::string> rows;
  sqlite3_stmt* stmt = Prepared(kListSql.c_str());
  Reset reset{stmt};
  const int columns = sqlite3_column_count(stmt);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    std::string& row = rows.emplace_back();
    for (int c = 0; c < columns; ++c) {
      const unsigned char* text = sqlite3_column_text(stmt, c);
      if (text != nullptr) row.append(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt, c));
      row.push_back('\x1f');
    }
  }
  return rows;
}

}  // namespace quillstone::bench
