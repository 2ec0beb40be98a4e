// The entry object of the library: starts it on a host login and a connection, hands out the
// managers, and takes everything apart again.
#pragma once

#include <memory>

namespace quillstone {

class Connection;
class HostLogin;
class clsBarCodeManager;
class clsContext;
class clsHelper;
class clsItemSourceManager;
class clsRuleManager;

class clsBarCodeSystem {
 public:
  // `conn` is the caller's open connection; without one the root opens its own from the login's
  // connection string and closes it in ExitSystem.
  void InitSystem(std::shared_ptr<HostLogin>& login,
                  const std::shared_ptr<Connection>& conn = nullptr);
  void ExitSystem();

  std::shared_ptr<clsRuleManager> GetRuleManager() const;
  std::shared_ptr<clsBarCodeManager> GetBarCodeManager() const;
  std::shared_ptr<clsItemSourceManager> GetItemSourceManager() const;
  std::shared_ptr<clsHelper> GetHelper() const;
  // The wiring while initialised (empty otherwise); for tools and tests that reach the host
  // objects or the sequence manager.
  std::shared_ptr<clsContext> context() const { return context_; }

 private:
  void BuildContext(std::shared_ptr<HostLogin>& login, const std::shared_ptr<Connection>& conn);
  void AttachAccount(const std::shared_ptr<HostLogin>& login);
  void CreateManagers();
  void RequireInitialised() const;

  // Set while the root is initialised, and only then.
  std::shared_ptr<clsContext> context_;
  bool callerConnection_ = false;
};

}  // namespace quillstone
