// The host's inventory access object: finds an inventory record by its code.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class HostCommon;
class HostLogin;
class HostUserVO;

class HostInventoryAccess {
 public:
  virtual ~HostInventoryAccess() = default;
  virtual void Init(const std::shared_ptr<HostCommon>& common) = 0;
  virtual bool InitLogin(const std::shared_ptr<HostLogin>& login, std::string& error_text) = 0;
  // False with an error text when the item cannot be found.
  virtual bool Find(const std::string& inventory_code, std::shared_ptr<HostUserVO>& inv, std::string& error_text,
                    bool lock = false, const std::string& extra = "") = 0;
};

}  // namespace quillstone
