// The host's login object: who is logged in, on which database, on which business date.
// It also names the host components that go with it.
#pragma once

#include <memory>
#include <string>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class HostFactory;

class HostLogin {
 public:
  virtual ~HostLogin() = default;
  // Opens the ERP database with an empty user name and password.
  virtual std::string connectionString() const = 0;
  // The login's business date.
  virtual Variant loginDate() const = 0;
  virtual std::string userId() const = 0;
  // The host components (common services, accounts, lookups) that serve this login.
  virtual std::shared_ptr<HostFactory> hostFactory() = 0;
};

}  // namespace quillstone
