#include "cli/Registrar.h"

#include <algorithm>

#include "cli/CliError.h"
#include "cli/InventoryOptions.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {

Registrar::Plan Registrar::PlanFor(const std::string& inventoryId) {
  Plan plan;
  plan.assign = session_.Rules().FindAssignByInventory(inventoryId);
  if (!plan.assign) throw CliError("存货'" + inventoryId + "'及其上级存货分类都没有分配条码规则");
  plan.rule = session_.Rules().LoadRule(plan.assign->ruleId());
  if (!plan.rule)
    throw CliError("规则分配" + plan.assign->assignId() + "的条码规则'" + plan.assign->ruleId() + "'不存在");
  return plan;
}

void Registrar::Describe(clsInventoryInfo& info) { session_.BarCodes().DescribeInventory(info); }

std::pair<Registrar::Plan, std::shared_ptr<clsInventoryInfo>> Registrar::Prepare(const std::string& inventoryId,
                                                                                 const InventoryOptions& properties) {
  Plan plan = PlanFor(inventoryId);
  auto info = properties.Make(inventoryId);
  Describe(*info);
  return {std::move(plan), std::move(info)};
}

std::shared_ptr<clsBarCode> Registrar::Encode(const Plan& plan, const std::shared_ptr<clsInventoryInfo>& info) {
  return session_.BarCodes().EncodeBarCode(info, plan.rule);
}

void Registrar::Register(const Plan& plan, const std::shared_ptr<clsInventoryInfo>& info, int count, int chunkSize,
                         const Registered& registered) {
  // Each chunk is one transaction of the library's bulk registration: it is stored whole or not
  // at all, so what was handed to `registered` before a failure is exactly what is stored.
  for (int done = 0; done < count;) {
    const int chunk = std::min(chunkSize, count - done);
    auto own = info->CloneInventoryInfo();
    auto barCode = Encode(plan, own);
    auto sets = session_.BarCodes().CreateBarCodes(own, barCode, plan.assign, chunk);
    for (const auto& set : *sets) registered(set);
    done += chunk;
  }
}

}  // namespace quillstone::cli
