#include "src/quillstone/service/IdempotencyStore.h"

#include <chrono>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/service/TokenStore.h"

namespace quillstone::service {
namespace {

// nStatus 0 marks a key whose request is still running.
const char* const kCreateTable =
    "create table if not exists QsIdempotencyKey ("
    " cUserId varchar(30) not null,"
    " cKey varchar(200) not null,"
    " nStatus integer not null,"
    " cBody text,"
    " cCreated varchar(20) not null,"
    " primary key (cUserId, cKey))";

constexpr std::size_t kMaxKeyLength = 200;

}  // namespace

IdempotencyStore::IdempotencyStore(const std::string& db) {
  conn_ = Connection::Open(db);
  conn_->setAutoReconnect(true);
  conn_->Execute(kCreateTable);
}

IdempotencyStore::~IdempotencyStore() = default;

void IdempotencyStore::CheckKey(const std::string& key) {
  if (key.size() > kMaxKeyLength)
    RaiseError("Idempotency-Key太长：最多" + std::to_string(kMaxKeyLength) + "字节");
}

std::optional<ApiResponse> IdempotencyStore::Claim(const std::string& user, const std::string& key) {
  std::lock_guard lock(mutex_);
  try {
    conn_->Execute("insert into QsIdempotencyKey (cUserId, cKey, nStatus, cCreated) values (?, ?, 0, ?)",
                   {Variant(user), Variant(key), Variant(TokenStore::TimeText(std::chrono::system_clock::now()))});
    return std::nullopt;
  } catch (const Error& e) {
    if (e.fault() != Error::Fault::DuplicateKey) throw;
  }
  auto rs = conn_->Query("select nStatus, cBody from QsIdempotencyKey where cUserId = ? and cKey = ?",
                         {Variant(user), Variant(key)});
  const int status = rs->IsEOF() ? 0 : NullToLng(rs->Field("nStatus"));
  if (status == 0) RaiseError("使用Idempotency-Key'" + key + "'的请求正在处理，请稍后重试");
  ApiResponse answer;
  answer.status = status;
  answer.body = nlohmann::json::parse(NullToStr(rs->Field("cBody")), nullptr, false);
  return answer;
}

void IdempotencyStore::Finish(const std::string& user, const std::string& key, const ApiResponse& answer) {
  std::lock_guard lock(mutex_);
  conn_->Execute("update QsIdempotencyKey set nStatus = ?, cBody = ? where cUserId = ? and cKey = ?",
                 {Variant(static_cast<int32_t>(answer.status)), Variant(answer.Text()), Variant(user), Variant(key)});
}

void IdempotencyStore::Release(const std::string& user, const std::string& key) {
  std::lock_guard lock(mutex_);
  conn_->Execute("delete from QsIdempotencyKey where cUserId = ? and cKey = ? and nStatus = 0",
                 {Variant(user), Variant(key)});
}

}  // namespace quillstone::service
