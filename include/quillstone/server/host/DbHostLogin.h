// The default host login: a user of the ERP database named by a connection string, working on
// one business date. Its host components read the host tables of that same database.
#pragma once

#include <memory>
#include <string>

#include "quillstone/platform/Variant.h"
#include "quillstone/server/host/HostLogin.h"

namespace quillstone {

class DbHostCommon;
class DbHostFactory;

class DbHostLogin : public HostLogin {
 public:
  // `loginDate` is a date or a text yyyy-MM-dd; Empty or Null take today. A text that is no
  // real day is refused with "登录日期不是合法的日期值".
  static std::shared_ptr<DbHostLogin> Create(const std::string& connStr, const std::string& user,
                                             const Variant& loginDate);

  std::string connectionString() const override { return connStr_; }
  // Always a date value.
  Variant loginDate() const override { return loginDate_; }
  std::string userId() const override { return user_; }
  std::shared_ptr<HostFactory> hostFactory() override;

  // The common-services object that attached this login, while it lives. Host components that
  // are handed only the login (the account controller, a per-lookup inventory access) work on
  // its connection, so they see the session's database and its open transaction.
  std::shared_ptr<DbHostCommon> sessionCommon() const { return sessionCommon_.lock(); }
  void setSessionCommon(const std::shared_ptr<DbHostCommon>& common) { sessionCommon_ = common; }

 private:
  DbHostLogin(std::string connStr, std::string user, Variant loginDate);

  std::string connStr_;
  std::string user_;
  Variant loginDate_;
  std::shared_ptr<DbHostFactory> factory_;
  std::weak_ptr<DbHostCommon> sessionCommon_;
};

}  // namespace quillstone
