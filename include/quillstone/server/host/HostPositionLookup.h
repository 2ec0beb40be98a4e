// The host's storage-position lookup; a position belongs to one warehouse.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class HostCommon;

class HostPositionLookup {
 public:
  struct Record {
    std::string code;
    std::string warehouseCode;
  };
  virtual ~HostPositionLookup() = default;
  virtual void Init(const std::shared_ptr<HostCommon>& common) = 0;
  // True when the position exists; `record` is filled then.
  virtual bool Find(const std::string& code, std::shared_ptr<Record>& record, int mode = 0) = 0;
};

}  // namespace quillstone
