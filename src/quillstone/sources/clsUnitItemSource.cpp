#include "quillstone/sources/clsUnitItemSource.h"

#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

clsUnitItemSource::clsUnitItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from ComputationUnit where cComunitCode = ?",
          .verifySql = "select * from ComputationUnit where cComunitCode = ?",
          .decodeSql = "select * from ComputationUnit where cBarCode = ?",
          .keyColumn = "cComunitCode",
          .noun = "计量单位",
          .decodeSuffix = "'对应的计量单位",
      }) {}

bool clsUnitItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  Assert(inv != nullptr, "bad parameter: inv");
  Assert(inv->unitGroupType != 0,
         "规则要求存货必须是多计量单位管理的，但该存货所属计量单位组的类型为无换算率，是单计量单位管理的.");
  return true;
}

}  // namespace quillstone
