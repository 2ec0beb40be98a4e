// The wiring shared by the managers, the item sources and the helper: the host login, the host's
// common services, the connection and one instance of each manager.
#pragma once

#include <memory>

namespace quillstone {

class Connection;
class HostCommon;
class HostLogin;
class clsBarCodeManager;
class clsHelper;
class clsItemSourceManager;
class clsRuleManager;
class clsSequenceManager;

class clsContext {
 public:
  const std::shared_ptr<HostLogin>& objLogin() const { return objLogin_; }
  void setObjLogin(std::shared_ptr<HostLogin> v) { objLogin_ = std::move(v); }
  const std::shared_ptr<HostCommon>& moLogin() const { return moLogin_; }
  void setMoLogin(std::shared_ptr<HostCommon> v) { moLogin_ = std::move(v); }
  const std::shared_ptr<Connection>& mConn() const { return mConn_; }
  void setMConn(std::shared_ptr<Connection> v) { mConn_ = std::move(v); }
  const std::shared_ptr<clsSequenceManager>& objSequenceManager() const { return objSequenceManager_; }
  void setObjSequenceManager(std::shared_ptr<clsSequenceManager> v) { objSequenceManager_ = std::move(v); }
  const std::shared_ptr<clsRuleManager>& objRuleManager() const { return objRuleManager_; }
  void setObjRuleManager(std::shared_ptr<clsRuleManager> v) { objRuleManager_ = std::move(v); }
  const std::shared_ptr<clsBarCodeManager>& objBarCodeManager() const { return objBarCodeManager_; }
  void setObjBarCodeManager(std::shared_ptr<clsBarCodeManager> v) { objBarCodeManager_ = std::move(v); }
  const std::shared_ptr<clsItemSourceManager>& objItemSourceManager() const { return objItemSourceManager_; }
  void setObjItemSourceManager(std::shared_ptr<clsItemSourceManager> v) { objItemSourceManager_ = std::move(v); }
  const std::shared_ptr<clsHelper>& objHelper() const { return objHelper_; }
  void setObjHelper(std::shared_ptr<clsHelper> v) { objHelper_ = std::move(v); }

 private:
  std::shared_ptr<HostLogin> objLogin_;
  std::shared_ptr<HostCommon> moLogin_;
  std::shared_ptr<Connection> mConn_;
  std::shared_ptr<clsSequenceManager> objSequenceManager_;
  std::shared_ptr<clsRuleManager> objRuleManager_;
  std::shared_ptr<clsBarCodeManager> objBarCodeManager_;
  std::shared_ptr<clsItemSourceManager> objItemSourceManager_;
  std::shared_ptr<clsHelper> objHelper_;
};

}  // namespace quillstone
