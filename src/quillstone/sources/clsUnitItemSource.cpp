#include "src/quillstone/sources/clsUnitItemSource.h"

#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

clsUnitItemSource::clsUnitItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from ComputationUnit where cComunitCode = ?",
          .verifySql = "select * from ComputationUnit where cComunitCode = ?",
          .decodeSql = "select * from ComputationUnit where cBarCode = ?",
          .keyColumn = "cComunitCode",
          .lengthPrefix = "计量单位的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到计量单位'",
          .mismatchPrefix = "计量单位与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的计量单位",
      }) {}

bool clsUnitItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  Assert(inv != nullptr, "bad parameter: inv");
  Assert(inv->unitGroupType != 0,
         "规则要求存货必须是多计量单位管理的，但该存货所属计量单位组的类型为无换算率，是单计量单位管理的.");
  return true;
}

}  // namespace quillstone
