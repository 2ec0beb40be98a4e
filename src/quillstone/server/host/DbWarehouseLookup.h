// The default warehouse lookup over table Warehouse.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/host/HostWarehouseLookup.h"

namespace quillstone {

class DbWarehouseLookup : public HostWarehouseLookup {
 public:
  void Init(const std::shared_ptr<HostCommon>& common) override;
  // `mode` and `extra` are accepted for the host's signature and not used.
  bool Find(const std::string& code, std::shared_ptr<Record>& record, int mode = 0, int extra = -1) override;

 private:
  std::shared_ptr<HostCommon> common_;
};

}  // namespace quillstone
