// The default storage-position lookup over table Position.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/host/HostPositionLookup.h"

namespace quillstone {

class DbPositionLookup : public HostPositionLookup {
 public:
  void Init(const std::shared_ptr<HostCommon>& common) override;
  // `mode` is accepted for the host's signature and not used.
  bool Find(const std::string& code, std::shared_ptr<Record>& record, int mode = 0) override;

 private:
  std::shared_ptr<HostCommon> common_;
};

}  // namespace quillstone
