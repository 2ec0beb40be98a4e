#include "quillstone/barcodes/clsTradeItemGtins.h"

#include "quillstone/barcodes/clsBarCodeManager.h"

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/server/FieldText.h"
#include "src/quillstone/server/RightsBracket.h"
#include "src/quillstone/server/TextGuard.h"
#include "src/quillstone/sources/GtinLookup.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

const char* const kRight = "ST050302";

const char* const kLevels =
    "select TradeItemGtin.gtin, TradeItemGtin.inventoryId, Inventory.cInvName, TradeItemGtin.unitId, "
    "ComputationUnit.cComUnitName, TradeItemGtin.quantity from TradeItemGtin "
    "join Inventory on (Inventory.cInvCode = TradeItemGtin.inventoryId) "
    "left join ComputationUnit on (ComputationUnit.cComunitCode = TradeItemGtin.unitId) where 1 = 1";

std::string Shown(const std::string& text) { return "'" + TextGuard::Echo(text) + "'"; }

struct Named {
  std::string name;
  std::string group;
};

// The name and unit group of an item or a unit.
std::optional<Named> NameAndGroup(Connection& conn, const std::string& sql, const std::string& code) {
  auto rs = conn.Query(sql, {Variant(code)});
  if (rs->IsEOF()) return std::nullopt;
  return Named{FieldText(*rs, "name"), FieldText(*rs, "cGroupCode")};
}

}  // namespace

std::shared_ptr<clsContext> clsTradeItemGtins::Context() const {
  auto context = context_.lock();
  Assert(context != nullptr && context->mConn() != nullptr, kServiceNotStarted);
  return context;
}

std::string clsTradeItemGtins::Gtin14(const std::string& gtin) {
  auto gtin14 = Gs1BarCodeText::Gtin14(gtin);
  if (!gtin14 || Trim(gtin) != gtin)
    RaiseError(Shown(gtin) + "不是有效的GTIN：应为8、12、13或14位数字且校验位正确");
  return *gtin14;
}

std::vector<clsTradeItemGtins::Level> clsTradeItemGtins::Read(const std::string& condition,
                                                               const std::vector<Variant>& params) {
  auto context = Context();
  std::string sql = std::string(kLevels) + condition;
  const std::string visible = context->objBarCodeManager()->DataRightCondition();
  if (!visible.empty()) sql += " and " + visible;
  sql += " order by TradeItemGtin.gtin";
  std::vector<Level> levels;
  for (auto rs = context->mConn()->Query(sql, params); !rs->IsEOF(); rs->MoveNext()) {
    levels.push_back({FieldText(*rs, "gtin"), FieldText(*rs, "inventoryId"), FieldText(*rs, "cInvName"),
                      FieldText(*rs, "unitId"), FieldText(*rs, "cComUnitName"), NullToLng(rs->Field("quantity"))});
  }
  return levels;
}

std::vector<clsTradeItemGtins::Level> clsTradeItemGtins::List(const std::string& inventoryId) {
  if (inventoryId.empty()) return Read("", {});
  return Read(" and TradeItemGtin.inventoryId = ?", {Variant(inventoryId)});
}

std::optional<clsTradeItemGtins::Level> clsTradeItemGtins::Find(std::string_view gtin14) {
  auto levels = Read(" and TradeItemGtin.gtin = ?", {Variant(std::string(gtin14))});
  if (levels.empty()) return std::nullopt;
  return levels.front();
}

clsTradeItemGtins::Level clsTradeItemGtins::Add(const std::string& gtin, const std::string& inventoryId,
                                                const std::string& unitId, int64_t quantity) {
  Level level;
  auto context = Context();
  RunWithRight(*context, kRight, "您没有维护包装层级GTIN的权限.", [&] {
    const std::string gtin14 = Gtin14(gtin);
    if (quantity < 1) RaiseError("包装层级所含的基本单位数量必须大于0，实为" + std::to_string(quantity));
    Connection& conn = *context->mConn();
    if (auto held = Read(" and TradeItemGtin.gtin = ?", {Variant(gtin14)}); !held.empty())
      RaiseError("GTIN'" + gtin14 + "'已经是存货'" + held.front().inventoryId + "'的包装层级");
    if (auto owner = GtinLookup::Item(conn, gtin14); !owner->IsEOF())
      RaiseError("GTIN'" + gtin14 + "'是存货'" + FieldText(*owner, "cInvCode") + "'自己的条码，不能再作为包装层级");
    auto item = NameAndGroup(conn, "select cInvName as name, cGroupCode from Inventory where cInvCode = ?", inventoryId);
    if (!item) RaiseError("存货" + Shown(inventoryId) + "不存在");
    if (!context->objBarCodeManager()->CanSeeInventory(inventoryId))
      RaiseError("没有对存货" + Shown(inventoryId) + "的访问权限");
    auto unit = NameAndGroup(
        conn, "select cComUnitName as name, cGroupCode from ComputationUnit where cComunitCode = ?", unitId);
    if (!unit) RaiseError("计量单位" + Shown(unitId) + "不存在");
    if (!item->group.empty() && unit->group != item->group)
      RaiseError("计量单位" + Shown(unitId) + "不属于存货" + Shown(inventoryId) + "的计量单位组'" + item->group + "'");
    conn.Execute("insert into TradeItemGtin (gtin, inventoryId, unitId, quantity) values (?, ?, ?, ?)",
                 {Variant(gtin14), Variant(inventoryId), Variant(unitId), Variant(quantity)});
    level = {gtin14, inventoryId, item->name, unitId, unit->name, quantity};
  });
  return level;
}

void clsTradeItemGtins::Remove(const std::string& gtin) {
  auto context = Context();
  RunWithRight(*context, kRight, "您没有维护包装层级GTIN的权限.", [&] {
    const std::string gtin14 = Gtin14(gtin);
    if (Read(" and TradeItemGtin.gtin = ?", {Variant(gtin14)}).empty())
      RaiseError("包装层级GTIN'" + gtin14 + "'不存在，或者没有对它的存货的访问权限");
    context->mConn()->Execute("delete from TradeItemGtin where gtin = ?", {Variant(gtin14)});
  });
}

}  // namespace quillstone
