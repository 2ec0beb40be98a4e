#include "quillstone/service/TokenStore.h"

#include <ctime>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/service/TokenDigest.h"

namespace quillstone::service {
namespace {

// One statement for both backends: text times in UTC compare in time order.
const char* const kCreateTable =
    "create table if not exists QsServiceToken ("
    " cTokenId varchar(32) not null primary key,"
    " cDigest varchar(64) not null unique,"
    " cUserId varchar(30) not null,"
    " cCreated varchar(20) not null,"
    " cExpires varchar(20),"
    " bRevoked integer not null default 0)";

constexpr int kTokenBytes = 32;
constexpr int kIdBytes = 6;
constexpr int kMaxDays = 36500;

}  // namespace

TokenStore::TokenStore(const std::string& db, Clock now)
    : db_(db), now_(now ? std::move(now) : Clock([] { return std::chrono::system_clock::now(); })) {
  conn_ = Connection::Open(db_);
  conn_->setAutoReconnect(true);
  conn_->Execute(kCreateTable);
}

TokenStore::~TokenStore() = default;

std::string TokenStore::TimeText(std::chrono::system_clock::time_point time) {
  const std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string TokenStore::Now() const { return TimeText(now_()); }

void TokenStore::RequireHostUser(const std::string& user) const {
  // The host decides who is a user: starting a session for him raises its own refusal.
  std::shared_ptr<HostLogin> login = DbHostLogin::Create(db_, user, Variant());
  clsBarCodeSystem system;
  system.InitSystem(login);
  system.ExitSystem();
}

TokenStore::Created TokenStore::Create(const std::string& user, std::optional<int> expiresInDays) {
  if (expiresInDays && (*expiresInDays < 1 || *expiresInDays > kMaxDays))
    RaiseError("令牌的有效天数必须在1到" + std::to_string(kMaxDays) + "之间，实际为" + std::to_string(*expiresInDays));
  RequireHostUser(user);
  Created created{TokenDigest::Hex(TokenDigest::RandomBytes(kIdBytes)),
                  TokenDigest::Hex(TokenDigest::RandomBytes(kTokenBytes))};
  const auto now = now_();
  const Variant expires =
      expiresInDays ? Variant(TimeText(now + std::chrono::hours(24) * *expiresInDays)) : Variant(Variant::Null);
  std::lock_guard lock(mutex_);
  conn_->Execute("insert into QsServiceToken (cTokenId, cDigest, cUserId, cCreated, cExpires, bRevoked)"
                 " values (?, ?, ?, ?, ?, 0)",
                 {Variant(created.id), Variant(TokenDigest::Sha256Hex(created.token)), Variant(user),
                  Variant(TimeText(now)), expires});
  return created;
}

std::vector<TokenStore::Token> TokenStore::List() {
  std::lock_guard lock(mutex_);
  auto rs = conn_->Query(
      "select cTokenId, cUserId, cCreated, cExpires, bRevoked from QsServiceToken order by cCreated, cTokenId");
  std::vector<Token> tokens;
  for (; !rs->IsEOF(); rs->MoveNext())
    tokens.push_back({NullToStr(rs->Field("cTokenId")), NullToStr(rs->Field("cUserId")),
                      NullToStr(rs->Field("cCreated")), NullToStr(rs->Field("cExpires")),
                      NullToLng(rs->Field("bRevoked")) != 0});
  return tokens;
}

void TokenStore::Revoke(const std::string& id) {
  std::lock_guard lock(mutex_);
  if (conn_->Execute("update QsServiceToken set bRevoked = 1 where cTokenId = ?", {Variant(id)}) == 0)
    RaiseError("令牌'" + id + "'不存在");
}

std::optional<std::string> TokenStore::Resolve(const std::string& token) {
  const std::string digest = TokenDigest::Sha256Hex(token);
  const std::string now = Now();
  std::lock_guard lock(mutex_);
  auto rs = conn_->Query("select cUserId, cExpires, bRevoked from QsServiceToken where cDigest = ?",
                         {Variant(digest)});
  if (rs->IsEOF() || NullToLng(rs->Field("bRevoked")) != 0) return std::nullopt;
  const std::string expires = NullToStr(rs->Field("cExpires"));
  if (!expires.empty() && expires <= now) return std::nullopt;
  return NullToStr(rs->Field("cUserId"));
}

}  // namespace quillstone::service
