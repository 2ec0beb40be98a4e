#include "src/quillstone/server/host/DbPositionLookup.h"

#include "src/quillstone/server/FieldText.h"
#include "src/quillstone/server/host/HostSupport.h"

namespace quillstone {

void DbPositionLookup::Init(const std::shared_ptr<HostCommon>& common) { common_ = common; }

bool DbPositionLookup::Find(const std::string& code, std::shared_ptr<Record>& record, int /*mode*/) {
  auto rs =
      HostConnection(common_.get()).Query("select cPosCode, cWhCode from Position where cPosCode = ?", {Variant(code)});
  if (rs->IsEOF()) return false;
  record = std::make_shared<Record>(Record{FieldText(*rs, "cPosCode"), FieldText(*rs, "cWhCode")});
  return true;
}

}  // namespace quillstone
