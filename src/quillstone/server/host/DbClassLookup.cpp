#include "src/quillstone/server/host/DbClassLookup.h"

#include "quillstone/platform/ClientRecordset.h"
#include "src/quillstone/server/host/HostSupport.h"

namespace quillstone {

void DbClassLookup::Init(const std::shared_ptr<HostCommon>& common) { common_ = common; }

std::unique_ptr<Recordset> DbClassLookup::Query(const std::string& filter) {
  std::string sql = "select * from InventoryClass";
  if (!Trim(filter).empty()) sql += " where " + filter;
  auto rs = HostConnection(common_.get()).Query(sql);
  return std::make_unique<ClientRecordset>(std::move(*ClientRecordset::ReadAll(*rs)));
}

}  // namespace quillstone
