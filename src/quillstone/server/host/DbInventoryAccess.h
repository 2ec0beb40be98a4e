// The default inventory access object: an Inventory row and its flags as a HostUserVO, with the
// user's inventory data rights applied.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/host/HostInventoryAccess.h"

namespace quillstone {

class DbHostCommon;

class DbInventoryAccess : public HostInventoryAccess {
 public:
  void Init(const std::shared_ptr<HostCommon>& common) override;
  // Works on the login's session (see DbHostCommon::ForLogin); False with an error text when
  // no connection can be had.
  bool InitLogin(const std::shared_ptr<HostLogin>& login, std::string& error_text) override;
  // Fills `inv` (a new one when it is none). False with "找不到存货'<code>'" when there is no
  // such item, and with "没有存货'<code>'的访问权限" when the user's data rights exclude it.
  // `lock` and `extra` are accepted for the host's signature and not used.
  bool Find(const std::string& inventory_code, std::shared_ptr<HostUserVO>& inv, std::string& error_text,
            bool lock = false, const std::string& extra = "") override;

 private:
  std::shared_ptr<HostCommon> common_;
};

}  // namespace quillstone
