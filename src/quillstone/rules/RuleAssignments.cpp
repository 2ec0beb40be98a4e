// Rule assignments of clsRuleManager: their checks, their codes and their rows in RuleAssign.
#include <string>

#include "src/quillstone/rules/RuleManagerSupport.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Int16.h"
#include "src/quillstone/rules/RuleInputChecks.h"
#include "quillstone/rules/clsRuleManager.h"
#include "src/quillstone/server/RightsBracket.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostClassLookup.h"
#include "quillstone/server/host/HostInventoryAccess.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone {
namespace {

const char* const kAssignRight = "ST050202";
const char* const kInventoryTaken = "该存货已经分配了条码规则，不能再次分配";
const char* const kClassTaken = "该存货分类已经分配了条码规则，不能再次分配";
const char* const kUsedCannotChange = "已经有条码使用该规则分配生成，不能修改规则分配";
// Codes drawn for one insert before a clash of codes is given up as something else.
constexpr int kIdAttempts = 8;

// The record behind the common interface, of the class its assignType calls for.
template <class Record>
Record& As(clsRuleAssign& assign) {
  auto* record = dynamic_cast<Record*>(&assign);
  if (record == nullptr) throw Error::TypeMismatch();
  return *record;
}

// A read made after a failed write, to tell why it failed; when it fails too it tells nothing.
bool Probe(const std::function<bool()>& check) {
  try {
    return check();
  } catch (...) {
    return false;
  }
}

const char* TakenMessage(bool toItem) { return toItem ? kInventoryTaken : kClassTaken; }

// Another assignment than `assignId` holds the item or class (`existing` is what was found).
bool HeldByOther(const std::shared_ptr<clsRuleAssign>& existing, const std::string& assignId) {
  return existing != nullptr && existing->assignId() != assignId;
}

}  // namespace

std::string clsRuleManager::NewAssignId() {
  const float random = nextRandom_ ? nextRandom_() : rules::TimerSeededRandom();
  const std::tm now = localNow_ ? localNow_() : rules::LocalNow();
  std::string id = rules::FormatAssignId(now, random, assignCounter_);
  assignCounter_ = Add16(assignCounter_, 1);
  return id;
}

bool clsRuleManager::IsAssignInUsed(const std::string& assignId) {
  return rules::CountOf(Conn(), "select count(*) as i from InventoryBarCodeSet where cAssignId = ?", Variant(assignId)) >
         0;
}

bool clsRuleManager::AssignIdStored(const std::string& assignId) {
  return rules::CountOf(Conn(), "select count(*) as i from RuleAssign where assignId = ?", Variant(assignId)) > 0;
}

void clsRuleManager::CreateAssign(std::shared_ptr<clsRuleAssign>& assign) {
  auto context = Context();
  RunWithRight(*context, kAssignRight, "您没有新建条码规则分配的权限.", [&] {
    Assert(assign != nullptr, "bad parameter: assign");
    RuleInputChecks::CheckAssignTexts(*assign);
    if (assign->assignType() == RATInventory) {
      InsertInventoryAssign(As<clsInventoryAssign>(*assign));
    } else {
      InsertClassAssign(As<clsInventoryClassAssign>(*assign));
    }
  });
}

void clsRuleManager::SaveAssign(std::shared_ptr<clsRuleAssign>& assign) {
  auto context = Context();
  RunWithRight(*context, kAssignRight, "您没有修改条码规则分配的权限.", [&] {
    Assert(assign != nullptr, "bad parameter: assign");
    RuleInputChecks::CheckAssignTexts(*assign);
    if (assign->assignType() == RATInventory) {
      UpdateInventoryAssign(As<clsInventoryAssign>(*assign));
    } else {
      UpdateClassAssign(As<clsInventoryClassAssign>(*assign));
    }
  });
}

void clsRuleManager::RemoveAssign(const std::string& assignId) {
  auto context = Context();
  RunWithRight(*context, kAssignRight, "您没有删除条码规则分配的权限.", [&] {
    TextGuard::RequireStorable(assignId, "规则分配编码");
    Assert(!IsAssignInUsed(assignId), "已经有条码使用该规则分配生成，不能删除规则分配.");
    Conn().Execute("delete from RuleAssign where assignId = ?", {Variant(assignId)});
  });
}

std::shared_ptr<clsRuleAssign> clsRuleManager::LoadAssignOf(bool toItem, const std::string& key) {
  return toItem ? LoadAssignByInventory(key) : LoadAssignByInventoryClass(key);
}

void clsRuleManager::InsertAssignRow(clsRuleAssign& a, bool toItem, const std::string& key) {
  const char* sql = toItem ? "insert into RuleAssign(assignId,assignType,invId,ruleId) values(?,1,?,?)"
                           : "insert into RuleAssign(assignId,assignType,classId,ruleId) values(?,0,?,?)";
  for (int attempt = 1;; ++attempt) {
    a.setAssignId(NewAssignId());
    try {
      Conn().Execute(sql, {Variant(a.assignId()), Variant(key), Variant(a.ruleId())});
      return;
    } catch (const Error&) {
      if (Probe([&] { return LoadAssignOf(toItem, key) != nullptr; })) RaiseError(TakenMessage(toItem));
      // Two clients may draw the same code in the same second: the later one draws again.
      const std::string id = a.assignId();
      if (attempt >= kIdAttempts || !Probe([&] { return AssignIdStored(id); })) throw;
    }
  }
}

void clsRuleManager::UpdateAssignRow(const clsRuleAssign& a, bool toItem, const std::string& key) {
  const char* sql = toItem ? "update RuleAssign set assignType = 1, invId = ?, ruleId = ? where assignId = ?"
                           : "update RuleAssign set assignType = 0, classId = ?, ruleId = ? where assignId = ?";
  try {
    Conn().Execute(sql, {Variant(key), Variant(a.ruleId()), Variant(a.assignId())});
  } catch (const Error&) {
    if (Probe([&] { return HeldByOther(LoadAssignOf(toItem, key), a.assignId()); })) RaiseError(TakenMessage(toItem));
    throw;
  }
}

void clsRuleManager::InsertInventoryAssign(clsInventoryAssign& a) {
  VerifyInventoryAssign(a, true);
  InsertAssignRow(a, true, a.inventoryId());
}

void clsRuleManager::InsertClassAssign(clsInventoryClassAssign& a) {
  VerifyClassAssign(a, true);
  InsertAssignRow(a, false, a.invClassId());
}

void clsRuleManager::UpdateInventoryAssign(clsInventoryAssign& a) {
  Assert(!IsAssignInUsed(a.assignId()), kUsedCannotChange);
  VerifyInventoryAssign(a, false);
  UpdateAssignRow(a, true, a.inventoryId());
}

void clsRuleManager::UpdateClassAssign(clsInventoryClassAssign& a) {
  Assert(!IsAssignInUsed(a.assignId()), kUsedCannotChange);
  VerifyClassAssign(a, false);
  UpdateAssignRow(a, false, a.invClassId());
}

void clsRuleManager::VerifyInventoryAssign(const clsInventoryAssign& a, bool creating) {
  TrapAndReraise([&] {
    auto inv = LoadInventoryRecord(a.inventoryId());
    Assert(inv != nullptr, "存货'" + a.inventoryId() + "'不存在或者没有权限.");
    auto rule = LoadRule(a.ruleId());
    Assert(rule != nullptr, "条码规则'" + a.ruleId() + "'不存在");
    // A new assignment never joins an existing one, whatever code the caller put in.
    auto existing = LoadAssignByInventory(a.inventoryId());
    if (existing != nullptr && (creating || HeldByOther(existing, a.assignId()))) RaiseError(kInventoryTaken);
    Assert(inv->barcodeManaged.toBool(), "该存货不是条码管理存货");
    Assert(Trim(NullToStr(inv->stopDate)).empty(), "存货'" + inv->inventoryCode + "'已经停用，不能分配规则.");
    clsItemSourceManager& sources = Sources();
    for (const auto& item : *rule->ruleItems()) sources.GetItemSource(item->itemType())->VerifyAssign(inv, item);
  });
}

void clsRuleManager::VerifyClassAssign(const clsInventoryClassAssign& a, bool creating) {
  TrapAndReraise([&] {
    const std::string missing = "存货分类'" + a.invClassId() + "'不存在.";
    {
      auto rows = LoadInventoryClassRows(a.invClassId());
      Assert(rows != nullptr, missing);
      Assert(!rows->IsEOF(), missing);
    }
    Assert(LoadRule(a.ruleId()) != nullptr, "条码规则'" + a.ruleId() + "'不存在");
    auto existing = LoadAssignByInventoryClass(a.invClassId());
    if (existing != nullptr && (creating || HeldByOther(existing, a.assignId()))) RaiseError(kClassTaken);
  });
}

std::shared_ptr<HostUserVO> clsRuleManager::LoadInventoryRecord(const std::string& code) {
  std::shared_ptr<HostUserVO> inv;
  TrapAndReraise([&] {
    auto found = std::make_shared<HostUserVO>();
    std::string error;
    if (!inventoryAccess_->Find(code, found, error, false, "")) RaiseError(error);
    Assert(found != nullptr && !Trim(found->inventoryCode).empty(),
           "找不到存货'" + code + "',或者没有对它的访问权限.");
    inv = found;
  });
  return inv;
}

std::unique_ptr<Recordset> clsRuleManager::LoadInventoryClassRows(const std::string& code) {
  // The lookup takes SQL text: the code goes in as a quoted literal.
  return classLookup_->Query("cInvCCode=" + SqlLiteral(Variant(code)));
}

}  // namespace quillstone
