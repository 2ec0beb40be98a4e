#include "quillstone/model/SegmentKind.h"

#include <cctype>

namespace quillstone {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::vector<SegmentKind> kKinds = {
    {ISTInventory, "ISTInventory", "存货", 6, "cInvCode", "存货编码"},
    {ISTInventoryClass, "ISTInventoryClass", "存货分类", 4, "cInvCCode", "存货分类编码"},
    {ISTVendor, "ISTVendor", "供应商", 4, "cVenCode", "供应商编码"},
    {ISTWarehouse, "ISTWarehouse", "仓库", 2, "cWhCode", "仓库编码"},
    {ISTPosition, "ISTPosition", "货位", 3, "cPostion", "货位编码"},
    {ISTBatch, "ISTBatch", "批号", 8, "cBatch", "批号"},
    {ISTInventoryUnit, "ISTInventoryUnit", "计量单位", 2, "cAssUnit", "计量单位"},
    {ISTUnitCost, "ISTUnitCost", "单价", 6, "fUnitCost", "单价"},
    {ISTMadeDate, "ISTMadeDate", "生产日期", 6, "dMDate", "生产日期"},
    {ISTDisableDate, "ISTDisableDate", "失效日期", 6, "dVDate", "失效日期"},
    {ISTMassDay, "ISTMassDay", "保质期", 3, "iMassDate", "保质期"},
    {ISTFixed, "ISTFixed", "固定值", 1, "", ""},
    {ISTSequence, "ISTSequence", "流水号", 4, "", ""},
    {ISTFree1, "ISTFree1", "自由项1", 2, "cFree1", "自由项1"},
    {ISTFree2, "ISTFree2", "自由项2", 2, "cFree2", "自由项2"},
    {ISTFree3, "ISTFree3", "自由项3", 2, "cFree3", "自由项3"},
    {ISTFree4, "ISTFree4", "自由项4", 2, "cFree4", "自由项4"},
    {ISTFree5, "ISTFree5", "自由项5", 2, "cFree5", "自由项5"},
    {ISTFree6, "ISTFree6", "自由项6", 2, "cFree6", "自由项6"},
    {ISTFree7, "ISTFree7", "自由项7", 2, "cFree7", "自由项7"},
    {ISTFree8, "ISTFree8", "自由项8", 2, "cFree8", "自由项8"},
    {ISTFree9, "ISTFree9", "自由项9", 2, "cFree9", "自由项9"},
    {ISTFree10, "ISTFree10", "自由项10", 2, "cFree10", "自由项10"},
    {ISTCheck, "ISTCheck", "校验位", 1, "", ""},
    {ISTOther, "ISTOther", "其它", 1, "", ""},
};

}  // namespace

const std::vector<SegmentKind>& SegmentKind::All() { return kKinds; }

const SegmentKind* SegmentKind::Of(int32_t type) {
  return type >= 0 && static_cast<std::size_t>(type) < kKinds.size() ? &kKinds[static_cast<std::size_t>(type)]
                                                                       : nullptr;
}

const SegmentKind* SegmentKind::Named(const std::string& name) {
  std::string wanted = Lower(name);
  if (wanted.rfind("ist", 0) != 0) wanted = "ist" + wanted;
  for (const SegmentKind& kind : kKinds)
    if (Lower(kind.jsonName) == wanted) return &kind;
  return nullptr;
}

}  // namespace quillstone
