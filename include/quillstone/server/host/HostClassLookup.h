// The host's inventory-class lookup: a query over the classes with a filter text.
#pragma once

#include <memory>
#include <string>

#include "quillstone/platform/Recordset.h"

namespace quillstone {

class HostCommon;

class HostClassLookup {
 public:
  virtual ~HostClassLookup() = default;
  virtual void Init(const std::shared_ptr<HostCommon>& common) = 0;
  // A result set over InventoryClass rows that match the filter (empty when none does).
  virtual std::unique_ptr<Recordset> Query(const std::string& filter) = 0;
};

}  // namespace quillstone
