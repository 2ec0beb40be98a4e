#include "RegistryInputCheck.h"

#include <cctype>
#include <string>

#include "quillstone/model/Gs1BarCodeText.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/rules/RuleInputChecks.h"
#include "quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// Column sizes of InventoryBarCodeSet.
constexpr std::size_t kBarCodeChars = 128;
constexpr std::size_t kInvCodeChars = 60;
constexpr std::size_t kNameChars = 255;
constexpr std::size_t kClassCodeChars = 30;
constexpr std::size_t kShortCodeChars = 30;
constexpr std::size_t kBatchChars = 60;
constexpr std::size_t kFreeChars = 120;

struct PropertyColumn {
  std::string role;
  std::size_t chars;
};

// The role and column size of the property a segment of `type` stores; size 0 for the kinds that
// store no text of their own (dates, numbers, fixed and running texts).
PropertyColumn ColumnOf(ItemSourceType type) {
  switch (type) {
    case ISTVendor:
      return {"供应商编码", kShortCodeChars};
    case ISTWarehouse:
      return {"仓库编码", kShortCodeChars};
    case ISTPosition:
      return {"货位编码", kShortCodeChars};
    case ISTBatch:
      return {"批号", kBatchChars};
    case ISTInventoryUnit:
      return {"计量单位", kShortCodeChars};
    default:
      break;
  }
  if (type >= ISTFree1 && type <= ISTFree10) return {"自由项" + std::to_string(type - ISTFree1 + 1), kFreeChars};
  return {"", 0};
}

void CheckSegments(const clsInventoryInfo& invInfo, const clsBarCode& barCode) {
  int position = 0;
  for (const auto& segment : *barCode.items()) {
    ++position;
    if (segment == nullptr) continue;
    // The property first: its role says more than the segment's position.
    if (segment->ruleItem() != nullptr) {
      const PropertyColumn column = ColumnOf(segment->ruleItem()->itemType());
      const Variant value = invInfo.InventoryProperty(segment->ruleItem()->itemType());
      if (column.chars > 0 && value.isText()) TextGuard::RequireCodeText(value.toString(), column.role, column.chars);
    }
    TextGuard::RequireCodeText(segment->value(), "第" + std::to_string(position) + "个条码项的值", kBarCodeChars);
  }
}

}  // namespace

void RegistryInputCheck::Check(const clsInventoryInfo& invInfo, const clsBarCode& barCode) {
  TextGuard::RequireCodeText(invInfo.inventoryId(), "存货编码", kInvCodeChars);
  TextGuard::RequireFits(invInfo.inventoryName(), "存货名称", kNameChars);
  TextGuard::RequireCodeText(invInfo.inventoryClassId(), "存货分类编码", kClassCodeChars);
  TextGuard::RequireFits(invInfo.inventoryClassName(), "存货分类名称", kNameChars);
  CheckSegments(invInfo, barCode);
  const std::string text = barCode.barCode();
  TextGuard::RequireCodeText(text, "条形码", kBarCodeChars);
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
