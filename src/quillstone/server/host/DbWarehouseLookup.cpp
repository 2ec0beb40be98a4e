#include "src/quillstone/server/host/DbWarehouseLookup.h"

#include "src/quillstone/server/FieldText.h"
#include "src/quillstone/server/host/HostSupport.h"

namespace quillstone {

void DbWarehouseLookup::Init(const std::shared_ptr<HostCommon>& common) { common_ = common; }

bool DbWarehouseLookup::Find(const std::string& code, std::shared_ptr<Record>& record, int /*mode*/, int /*extra*/) {
  auto rs =
      HostConnection(common_.get()).Query("select cWhCode, cWhName from Warehouse where cWhCode = ?", {Variant(code)});
  if (rs->IsEOF()) return false;
  record = std::make_shared<Record>(Record{FieldText(*rs, "cWhCode"), FieldText(*rs, "cWhName")});
  return true;
}

}  // namespace quillstone
