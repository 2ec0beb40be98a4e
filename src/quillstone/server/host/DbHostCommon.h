// The default common-services object: function rights from HostUserRight, inventory data rights
// from HostUserDataRight, for the user of the attached login, on the connection it is given.
//
// An administrator (HostUser.bAdmin = 1) holds every function right and sees every record. Any
// other user holds the rights listed for him and, for an object (cObject, e.g. 'inventory'),
// is restricted as soon as he has one HostUserDataRight row for it: he then sees exactly the
// iId values listed (a row whose iId is Null only marks him restricted).
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "quillstone/server/host/HostCommon.h"

namespace quillstone {

class DbHostCommon : public HostCommon, public std::enable_shared_from_this<DbHostCommon> {
 public:
  // The answer of DataRightFilter for a user who may see nothing: a list that matches no row.
  static constexpr const char* kNothingVisible = "null";

  // The session's common services of `login` (see DbHostLogin::sessionCommon); failing that, a
  // new object serving `login` on its own connection opened from the login's connection string.
  // Nothing, with `error_text` set, when no connection can be had.
  static std::shared_ptr<DbHostCommon> ForLogin(const std::shared_ptr<HostLogin>& login, std::string& error_text);

  // Becomes the session's common services of a DbHostLogin. Answers whether a login was given.
  bool AttachLogin(std::shared_ptr<HostLogin>& login) override;
  void setConnection(const std::shared_ptr<Connection>& conn) override;
  std::shared_ptr<Connection> connection() const override { return conn_; }
  std::shared_ptr<Account> account() const override { return account_; }
  void setAccount(const std::shared_ptr<Account>& account) override { account_ = account; }
  std::shared_ptr<HostLogin> login() const override { return login_; }

  // begin True: whether the user holds the right; a granted right opens a task for it.
  // begin False: ends one open task of that function and answers True.
  bool CheckRight(std::string& function_id, bool& begin) override;
  // `extra` and `mode` are accepted for the host's signature; only read rights are kept. The
  // answer is read once per object and session and kept: call DataRightsChanged after changing a
  // user's rights for a session that is open.
  std::string DataRightFilter(const std::string& object, const std::string& extra, const std::string& mode) override;
  void DataRightsChanged() { dataRights_.clear(); }

  std::string userId() const;
  // Number of tasks of `function_id` begun and not yet ended.
  int OpenTasks(const std::string& function_id) const;

 private:
  std::string ReadDataRights(const std::string& object);

  std::shared_ptr<HostLogin> login_;
  std::shared_ptr<Connection> conn_;
  std::shared_ptr<Account> account_;
  std::multiset<std::string> tasks_;
  std::map<std::string, std::string> dataRights_;  // by object, lower case
};

}  // namespace quillstone
