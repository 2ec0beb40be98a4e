#include "BenchSystem.h"

#include <unistd.h>

#include <filesystem>
#include <vector>

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/schema/Schema.h"

namespace quillstone::bench {
namespace {

bool failed = false;

// libpq takes the search path as a connection option, in URI or in key=value form.
std::string InSchema(std::string url, const std::string& schema) {
  if (url.rfind("postgresql://", 0) == 0 || url.rfind("postgres://", 0) == 0)
    return url + (url.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema;
  if (url.rfind("postgresql:", 0) == 0) url = url.substr(11);
  return "postgresql:" + url + " options='-csearch_path=" + schema + "'";
}

std::string WithScheme(const std::string& url) {
  const bool schemed = url.rfind("postgresql:", 0) == 0 || url.rfind("postgres://", 0) == 0;
  return schemed ? url : "postgresql:" + url;
}

}  // namespace

void MarkFailed(benchmark::State& state, const std::string& message) {
  failed = true;
  state.SkipWithError(message.c_str());
}

bool AnyBenchmarkFailed() { return failed; }

BenchSystem::BenchSystem(Backend backend, const std::string& pgUrl) {
  const std::string suffix = std::to_string(::getpid());
  if (backend == Backend::Sqlite) {
    name_ = "sqlite";
    sqlitePath_ = (std::filesystem::temp_directory_path() / ("qs_bench_" + suffix + ".db")).string();
    std::filesystem::remove(sqlitePath_);
    connStr_ = "sqlite:" + sqlitePath_;
  } else {
    name_ = "postgres";
    pgAdmin_ = Connection::Open(WithScheme(pgUrl));
    pgSchema_ = "qs_bench_" + suffix;
    pgAdmin_->ExecuteScript("drop schema if exists " + pgSchema_ + " cascade; create schema " + pgSchema_);
    connStr_ = InSchema(WithScheme(pgUrl), pgSchema_);
  }
  conn_ = Connection::Open(connStr_);
  spare_ = Connection::Open(connStr_);
  Schema::Create(*conn_);
  Schema::LoadDemo(*conn_);
  std::shared_ptr<HostLogin> login = DbHostLogin::Create(connStr_, "admin", Variant("2003-06-01"));
  sys_.InitSystem(login, conn_);
  CreateRules();
}

BenchSystem::~BenchSystem() {
  try {
    if (sys_.context()) sys_.ExitSystem();
    spare_->Close();
    conn_->Close();
    if (pgAdmin_) {
      pgAdmin_->ExecuteScript("drop schema if exists " + pgSchema_ + " cascade");
      pgAdmin_->Close();
    }
  } catch (const std::exception&) {
    // The throw-away database goes with the server or the temp folder anyway.
  }
  if (!sqlitePath_.empty()) {
    std::error_code ignored;
    for (const char* extra : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(sqlitePath_ + extra, ignored);
  }
}

void BenchSystem::CreateRules() {
  auto rm = sys_.GetRuleManager();
  rm->CreateRule(MakeRule(kRuleId, {{ISTInventory, 6, ""},
                                    {ISTInventoryClass, 2, ""},
                                    {ISTWarehouse, 2, ""},
                                    {ISTPosition, 3, ""},
                                    {ISTBatch, 4, ""},
                                    {ISTSequence, 8, "00000001"}}));
  rm->CreateRule(MakeRule(kSequenceRuleId, {{ISTFixed, 2, "SQ"}, {ISTSequence, 10, "0000000001"}}));

  auto classAssign = std::make_shared<clsInventoryClassAssign>();
  classAssign->setInvClassId(kAssignedClass);
  classAssign->setRuleId(kRuleId);
  std::shared_ptr<clsRuleAssign> assign = classAssign;
  rm->CreateAssign(assign);

  auto bm = sys_.GetBarCodeManager();
  auto inv = Inventory();
  auto barCode = bm->EncodeBarCode(inv, rm->LoadRule(kRuleId));
  sampleBarCode_ = bm->CreateBarCode(inv, barCode, rm->FindAssignByInventory(kInventory))->barCode();
}

std::shared_ptr<clsInventoryInfo> BenchSystem::Inventory() {
  auto inv = std::make_shared<clsInventoryInfo>();
  inv->setInventoryId(kInventory);
  inv->setInventoryName("智能手机X1");
  inv->setInventoryClassId("0101001");
  inv->setInventoryClassName("智能手机");
  inv->setWarehouseId(Variant("01"));
  inv->setInvPositionId(Variant("0101"));
  inv->setBatchNo(Variant("B001"));
  return inv;
}

int64_t BenchSystem::RegistrySize() {
  return conn_->Query("select count(*) from InventoryBarCodeSet")->Field(0).toInt64();
}

int64_t BenchSystem::GrowRegistry(int64_t rows) {
  const int64_t missing = rows - RegistrySize();
  if (missing > 0) {
    // Rows like the ones registration writes for P001, under keys registration never makes.
    conn_->Execute(
        "with recursive n(i) as (select cast(? as integer) union all select i + 1 from n where i < ?) "
        "insert into InventoryBarCodeSet(cBarCode,cInvCode,cInvName,cInvCCode,cInvCName,cAssignId,cRuleId,"
        "dCreateDate,bAbandon,cWhCode,cPostion,cBatch) "
        "select 'BULK' || cast(i as varchar(20)),'P001','智能手机X1','0101001','智能手机','BULK',?,"
        "'2003-06-01',0,'01','0101','B001' from n",
        {Variant(bulkRows_ + 1), Variant(bulkRows_ + missing), Variant(kRuleId)});
    bulkRows_ += missing;
    // A site's registry has planner statistics and, on PostgreSQL, a vacuumed heap; without this
    // the server's own vacuum of the new rows would run during the timings.
    conn_->ExecuteScript(conn_->backend() == Backend::Postgres ? "vacuum analyze InventoryBarCodeSet"
                                                               : "analyze InventoryBarCodeSet");
  }
  return RegistrySize();
}

}  // namespace quillstone::bench
