// The default inventory-class lookup over table InventoryClass.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/host/HostClassLookup.h"

namespace quillstone {

class DbClassLookup : public HostClassLookup {
 public:
  void Init(const std::shared_ptr<HostCommon>& common) override;
  // "select * from InventoryClass where " + filter; the filter is SQL text of the caller. The
  // rows are read at once, so the answer stays readable while other statements run.
  std::unique_ptr<Recordset> Query(const std::string& filter) override;

 private:
  std::shared_ptr<HostCommon> common_;
};

}  // namespace quillstone
