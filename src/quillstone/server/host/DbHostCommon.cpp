#include "src/quillstone/server/host/DbHostCommon.h"

#include <cctype>

#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "src/quillstone/server/host/HostSupport.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/server/schema/Schema.h"

namespace quillstone {

std::shared_ptr<DbHostCommon> DbHostCommon::ForLogin(const std::shared_ptr<HostLogin>& login, std::string& error_text) {
  if (login == nullptr) {
    error_text = "Login对象没有初始化";
    return nullptr;
  }
  if (auto db_login = std::dynamic_pointer_cast<DbHostLogin>(login)) {
    auto common = db_login->sessionCommon();
    if (common != nullptr && common->connection() != nullptr) return common;
  }
  // A private object: it does not become the login's session services.
  auto common = std::make_shared<DbHostCommon>();
  common->login_ = login;
  bool opened = AnswerWithText(error_text, [&] {
    common->setConnection(Connection::Open(login->connectionString()));
    return true;
  });
  return opened ? common : nullptr;
}

bool DbHostCommon::AttachLogin(std::shared_ptr<HostLogin>& login) {
  login_ = login;
  if (auto db_login = std::dynamic_pointer_cast<DbHostLogin>(login)) {
    if (auto self = weak_from_this().lock()) db_login->setSessionCommon(self);
  }
  return login_ != nullptr;
}

void DbHostCommon::setConnection(const std::shared_ptr<Connection>& conn) {
  // sp_BarCodeUsed has no stored body on SQLite; the session may call it on this connection.
  Schema::RegisterProcedures();
  conn_ = conn;
}

std::string DbHostCommon::userId() const { return login_ == nullptr ? std::string() : login_->userId(); }

bool DbHostCommon::CheckRight(std::string& function_id, bool& begin) {
  if (!begin) {
    auto task = tasks_.find(function_id);
    if (task != tasks_.end()) tasks_.erase(task);
    return true;
  }
  auto rs = HostConnection(this).Query(
      "select HostUser.bAdmin, (select count(*) from HostUserRight where HostUserRight.cUserId = HostUser.cUserId"
      " and HostUserRight.cFuncId = ?) as nGranted from HostUser where HostUser.cUserId = ?",
      {Variant(function_id), Variant(userId())});
  bool granted = !rs->IsEOF() && (NullToLng(rs->Field("bAdmin")) == 1 || NullToLng(rs->Field("nGranted")) > 0);
  rs.reset();
  if (granted) tasks_.insert(function_id);
  return granted;
}

int DbHostCommon::OpenTasks(const std::string& function_id) const {
  return static_cast<int>(tasks_.count(function_id));
}

std::string DbHostCommon::DataRightFilter(const std::string& object, const std::string& /*extra*/,
                                          const std::string& /*mode*/) {
  std::string key = object;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto known = dataRights_.find(key);
  if (known != dataRights_.end()) return known->second;
  return dataRights_[key] = ReadDataRights(object);
}

std::string DbHostCommon::ReadDataRights(const std::string& object) {
  Connection& conn = HostConnection(this);
  const std::string user = userId();
  auto admin = FirstField(conn, "select bAdmin from HostUser where cUserId = ?", {Variant(user)}, "bAdmin");
  // A session of an unknown user sees nothing rather than everything.
  if (!admin) return kNothingVisible;
  if (NullToLng(*admin) == 1) return "";
  auto rs = conn.Query(
      "select distinct iId from HostUserDataRight where cUserId = ? and lower(cObject) = lower(?) order by iId",
      {Variant(user), Variant(object)});
  bool restricted = false;
  std::string list;
  for (; !rs->IsEOF(); rs->MoveNext()) {
    restricted = true;
    Variant id = rs->Field("iId");
    if (id.isNull()) continue;
    if (!list.empty()) list += ",";
    list += std::to_string(id.toInt64());
  }
  if (!restricted) return "";
  // Restricted to no record at all: an empty answer would read as "no restriction".
  return list.empty() ? kNothingVisible : list;
}

}  // namespace quillstone
