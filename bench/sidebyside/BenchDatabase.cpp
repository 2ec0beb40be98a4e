#include "BenchDatabase.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "BenchRule.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/schema/Schema.h"

namespace quillstone::bench {
namespace {

constexpr const char* kLoginDate = "2024-06-15";
// Large enough to keep one chunk's records in memory cheaply, small enough to show progress.
constexpr int64_t kFillChunk = 100000;

void RemoveDatabase(const std::string& path) {
  std::error_code ignored;
  for (const char* extra : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + extra, ignored);
}

std::shared_ptr<Connection> OpenDurable(const std::string& connStr) {
  auto conn = Connection::Open(connStr);
  if (conn->backend() == Backend::Sqlite) conn->ExecuteScript("PRAGMA synchronous=FULL");
  return conn;
}

}  // namespace

std::unique_ptr<BenchDatabase> BenchDatabase::OnSqlite(const std::string& path) {
  std::unique_ptr<BenchDatabase> db(new BenchDatabase());
  db->path_ = path;
  db->connStr_ = "sqlite:" + path;
  RemoveDatabase(path);
  db->Start();
  return db;
}

std::unique_ptr<BenchDatabase> BenchDatabase::OnPostgres(const std::string& url) {
  std::unique_ptr<BenchDatabase> db(new BenchDatabase());
  db->pgAdmin_ = Connection::Open(url);
  db->pgSchema_ = "qs_side_by_side_" + std::to_string(::getpid());
  db->pgAdmin_->ExecuteScript("drop schema if exists " + db->pgSchema_ + " cascade; create schema " + db->pgSchema_);
  const char* joiner = url.find('?') == std::string::npos ? "?" : "&";
  db->connStr_ = url + joiner + "options=-csearch_path%3D" + db->pgSchema_ + "%20-clog_statement%3Dall";
  db->Start();
  return db;
}

void BenchDatabase::Start() {
  conn_ = OpenDurable(connStr_);
  Schema::Create(*conn_);
  Schema::LoadDemo(*conn_);
  PrepareHostData();
  std::shared_ptr<HostLogin> adminLogin = DbHostLogin::Create(connStr_, "admin", Variant(kLoginDate));
  admin_.InitSystem(adminLogin, conn_);
  restrictedConn_ = OpenDurable(connStr_);
  std::shared_ptr<HostLogin> userLogin = DbHostLogin::Create(connStr_, kRestrictedUser, Variant(kLoginDate));
  restricted_.InitSystem(userLogin, restrictedConn_);
  CreateRule();
}

BenchDatabase::~BenchDatabase() {
  try {
    restricted_.ExitSystem();
    admin_.ExitSystem();
    restrictedConn_->Close();
    conn_->Close();
    if (pgAdmin_) {
      pgAdmin_->ExecuteScript("drop schema if exists " + pgSchema_ + " cascade");
      pgAdmin_->Close();
    }
  } catch (const std::exception& e) {
    std::cerr << "side-by-side: " << e.what() << "\n";
  }
  if (!path_.empty()) RemoveDatabase(path_);
}

// P001 becomes shelf-life-managed (it is already barcode- and batch-managed with free item 1);
// the restricted user sees P001 among 1,000 ids.
void BenchDatabase::PrepareHostData() {
  conn_->ExecuteScript(
      "update Inventory set bInvQuality = 1, iMassDate = 365 where cInvCode = 'P001';"
      "insert into HostUser (cUserId, cUserName, bAdmin, cAccId) values ('rights1000', '千项权限用户', 0, '001');"
      "insert into HostUserDataRight (cUserId, cObject, iId)"
      " with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000)"
      " select 'rights1000', 'inventory', i from n;"
      "analyze;");
}

void BenchDatabase::CreateRule() {
  auto rule = MakeRule(kRuleId,
                       {{ISTInventory, 6, ""},
                        {ISTBatch, 6, ""},
                        {ISTMadeDate, 6, "yymmdd"},
                        {ISTDisableDate, 6, "yymmdd"},
                        {ISTFree1, 2, ""},
                        {ISTSequence, 8, "00000001"},
                        {ISTCheck, 1, ""}},
                       "1", "并列基准规则");
  auto rm = admin_.GetRuleManager();
  rm->CreateRule(rule);

  auto classAssign = std::make_shared<clsInventoryClassAssign>();
  classAssign->setInvClassId(kAssignedClass);
  classAssign->setRuleId(kRuleId);
  std::shared_ptr<clsRuleAssign> assign = classAssign;
  rm->CreateAssign(assign);
  rule_ = rm->LoadRule(kRuleId);
  assign_ = rm->FindAssignByInventory(kInventory);
}

std::shared_ptr<clsInventoryInfo> BenchDatabase::Inventory() {
  auto inv = std::make_shared<clsInventoryInfo>();
  inv->setInventoryId(kInventory);
  inv->setInventoryName("智能手机X1");
  inv->setInventoryClassId("0101001");
  inv->setInventoryClassName("智能手机");
  inv->setBatchNo(Variant("240601"));
  inv->setMadeDate(Variant("2024-06-01"));
  inv->setDisableDate(Variant("2025-06-01"));
  inv->setMassDay(Variant(int32_t{365}));
  inv->setFree1(Variant("黑色"));
  return inv;
}

int64_t BenchDatabase::RegistrySize() {
  return conn_->Query("select count(*) from InventoryBarCodeSet")->Field(0).toInt64();
}

void BenchDatabase::FillTo(int64_t rows) {
  auto bm = admin_.GetBarCodeManager();
  for (int64_t missing = rows - RegistrySize(); missing > 0; missing = rows - RegistrySize()) {
    auto inv = Inventory();
    auto barCode = bm->EncodeBarCode(inv, rule_);
    const int count = static_cast<int>(std::min(missing, kFillChunk));
    auto list = bm->CreateBarCodes(inv, barCode, assign_, count);
    for (const auto& record : *list) barCodes_.push_back(record->barCode());
  }
  conn_->ExecuteScript("analyze");
}

}  // namespace quillstone::bench
