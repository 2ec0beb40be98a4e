// The host's warehouse lookup.
#pragma once

#include <memory>
#include <string>

namespace quillstone {

class HostCommon;

class HostWarehouseLookup {
 public:
  struct Record {
    std::string code;
    std::string name;
  };
  virtual ~HostWarehouseLookup() = default;
  virtual void Init(const std::shared_ptr<HostCommon>& common) = 0;
  // True when the warehouse exists; `record` is filled then.
  virtual bool Find(const std::string& code, std::shared_ptr<Record>& record, int mode = 0, int extra = -1) = 0;
};

}  // namespace quillstone
