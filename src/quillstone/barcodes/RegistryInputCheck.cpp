#include "src/quillstone/barcodes/RegistryInputCheck.h"

#include <cctype>
#include <string>

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/model/SegmentKind.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "src/quillstone/rules/RuleInputChecks.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/server/schema/ColumnSizes.h"

namespace quillstone {
namespace {

void CheckSegments(const clsInventoryInfo& invInfo, const clsBarCode& barCode) {
  int position = 0;
  for (const auto& segment : *barCode.items()) {
    ++position;
    if (segment == nullptr) continue;
    // The property first: its role says more than the segment's position.
    const SegmentKind* kind = segment->ruleItem() != nullptr ? SegmentKind::Of(segment->ruleItem()->itemType()) : nullptr;
    if (kind != nullptr) {
      const std::size_t chars = ColumnSizes::OfProperty(kind->registryColumn);
      const Variant value = invInfo.InventoryProperty(kind->type);
      if (chars > 0 && value.isText()) TextGuard::RequireCodeText(value.toString(), kind->role, chars);
    }
    TextGuard::RequireCodeText(segment->value(), "第" + std::to_string(position) + "个条码项的值",
                               ColumnSizes::kBarCode);
  }
}

}  // namespace

void RegistryInputCheck::Check(const clsInventoryInfo& invInfo, const clsBarCode& barCode) {
  TextGuard::RequireCodeText(invInfo.inventoryId(), "存货编码", ColumnSizes::kInvCode);
  TextGuard::RequireFits(invInfo.inventoryName(), "存货名称", ColumnSizes::kName);
  TextGuard::RequireCodeText(invInfo.inventoryClassId(), "存货分类编码", ColumnSizes::kClassCode);
  TextGuard::RequireFits(invInfo.inventoryClassName(), "存货分类名称", ColumnSizes::kName);
  CheckSegments(invInfo, barCode);
  const std::string text = barCode.barCode();
  TextGuard::RequireCodeText(text, "条形码", ColumnSizes::kBarCode);
}

void RegistryInputCheck::CheckSymbology(const clsBarCodeRule& rule, const clsBarCode& barCode) {
  if (Gs1BarCodeText::IsGs1(rule)) return Gs1BarCodeText::Check(barCode);
  if (!RuleInputChecks::IsEan13(rule.barCodeType(), {})) return;
  const std::string text = barCode.barCode();
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)))
      RaiseError("EAN-13条码只能由数字组成，条形码'" + TextGuard::Echo(text) + "'含有其他字符");
  }
}

}  // namespace quillstone
