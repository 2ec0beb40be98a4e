#include "src/quillstone/service/IdempotencyStore.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/service/TokenStore.h"

namespace quillstone::service {
namespace {

// nStatus 0 marks a key whose request is still running; cCreated is when it was claimed, and
// cDigest the SHA-256 of the request's body.
const char* const kCreateTable =
    "create table if not exists QsIdempotencyKey ("
    " cUserId varchar(30) not null,"
    " cKey varchar(200) not null,"
    " nStatus integer not null,"
    " cBody text,"
    " cCreated varchar(20) not null,"
    " cDigest varchar(64),"
    " primary key (cUserId, cKey))";

constexpr std::size_t kMaxKeyLength = 200;

std::string Now() { return TokenStore::TimeText(std::chrono::system_clock::now()); }

[[noreturn]] void InProgress(const std::string& key) {
  RaiseError("使用Idempotency-Key'" + key + "'的请求正在处理，请稍后重试");
}

}  // namespace

IdempotencyStore::IdempotencyStore(const std::string& db, std::chrono::seconds pendingExpiry)
    : pendingExpiry_(pendingExpiry) {
  conn_ = Connection::Open(db);
  conn_->setAutoReconnect(true);
  conn_->Execute(kCreateTable);
  AddDigestColumn();
}

IdempotencyStore::~IdempotencyStore() = default;

// Tables made before bodies were compared have no digest column; their keys' digests stay empty.
void IdempotencyStore::AddDigestColumn() {
  try {
    conn_->Query("select cDigest from QsIdempotencyKey where 1 = 0");
    return;
  } catch (const Error&) {
  }
  conn_->Execute("alter table QsIdempotencyKey add column cDigest varchar(64)");
}

void IdempotencyStore::CheckKey(const std::string& key) {
  if (key.size() > kMaxKeyLength)
    RaiseError("Idempotency-Key太长：最多" + std::to_string(kMaxKeyLength) + "字节");
}

bool IdempotencyStore::Insert(const std::string& user, const std::string& key, const std::string& bodyDigest) {
  try {
    conn_->Execute(
        "insert into QsIdempotencyKey (cUserId, cKey, nStatus, cCreated, cDigest) values (?, ?, 0, ?, ?)",
        {Variant(user), Variant(key), Variant(Now()), Variant(bodyDigest)});
    return true;
  } catch (const Error& e) {
    if (e.fault() != Error::Fault::DuplicateKey) throw;
    return false;
  }
}

// Only the claim read as `claimed` is taken over: of two retries of a dead request, one wins.
bool IdempotencyStore::TakeOver(const std::string& user, const std::string& key, const std::string& bodyDigest,
                                const std::string& claimed) {
  return conn_->Execute(
             "update QsIdempotencyKey set cCreated = ?, cDigest = ? where cUserId = ? and cKey = ? and nStatus = 0"
             " and cCreated = ?",
             {Variant(Now()), Variant(bodyDigest), Variant(user), Variant(key), Variant(claimed)}) == 1;
}

std::optional<ApiResponse> IdempotencyStore::Claim(const std::string& user, const std::string& key,
                                                   const std::string& bodyDigest) {
  std::lock_guard lock(mutex_);
  if (Insert(user, key, bodyDigest)) return std::nullopt;
  auto rs = conn_->Query("select nStatus, cBody, cCreated, cDigest from QsIdempotencyKey where cUserId = ? and cKey = ?",
                         {Variant(user), Variant(key)});
  // Released between the insert and the select: the key is free again.
  if (rs->IsEOF()) {
    if (Insert(user, key, bodyDigest)) return std::nullopt;
    InProgress(key);
  }
  const std::string digest = NullToStr(rs->Field("cDigest"));
  if (!digest.empty() && digest != bodyDigest)
    RaiseError("Idempotency-Key'" + key + "'已用于内容不同的另一个请求；新的请求请使用新的Idempotency-Key");
  const int status = NullToLng(rs->Field("nStatus"));
  if (status == 0) {
    // Times are written as fixed-width UTC text, so their order is the text's order.
    const std::string claimed = NullToStr(rs->Field("cCreated"));
    const std::string cutoff = TokenStore::TimeText(std::chrono::system_clock::now() - pendingExpiry_);
    if (claimed < cutoff && TakeOver(user, key, bodyDigest, claimed)) return std::nullopt;
    InProgress(key);
  }
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
