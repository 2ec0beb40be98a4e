// Stores, validates and lists barcode rules, and assigns them to inventory items and classes.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Collection.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

class clsBarCodeRule;
class clsBarCodeType;
class clsContext;
class clsInventoryAssign;
class clsInventoryClassAssign;
class clsItemSourceManager;
class clsRuleAssign;
class Connection;
class HostClassLookup;
class HostInventoryAccess;
class HostUserVO;
class Recordset;

class clsRuleManager {
 public:
  using RuleList = Collection<std::shared_ptr<clsBarCodeRule>>;
  using TypeList = Collection<std::shared_ptr<clsBarCodeType>>;
  using AssignList = Collection<std::shared_ptr<clsRuleAssign>>;

  // Rule store. LoadRule gives nothing when no rule has that code.
  std::shared_ptr<clsBarCodeRule> LoadRule(const std::string& ruleId);
  std::shared_ptr<TypeList> ListBarCodeTypes();
  void CreateRule(const std::shared_ptr<clsBarCodeRule>& rule);
  void SaveRule(std::shared_ptr<clsBarCodeRule>& rule);
  void RemoveRule(std::string& ruleId);
  bool IsRuleInUsed(const std::string& ruleId);
  // `filter` is one SQL condition on BarCodeRule, checked as the registry's list filter is;
  // `params` are bound to its "?" marks.
  std::shared_ptr<RuleList> ListRules(const std::string& filter = "", const std::vector<Variant>& params = {});
  bool VerifyRule(const std::shared_ptr<clsBarCodeRule>& rule);

  // Assignments.
  bool IsAssignInUsed(const std::string& assignId);
  void CreateAssign(std::shared_ptr<clsRuleAssign>& assign);
  void SaveAssign(std::shared_ptr<clsRuleAssign>& assign);
  void RemoveAssign(const std::string& assignId);
  std::shared_ptr<clsRuleAssign> LoadAssignById(const std::string& assignId);
  std::shared_ptr<clsRuleAssign> LoadAssignByInventory(const std::string& inventoryId);
  std::shared_ptr<clsRuleAssign> LoadAssignByInventoryClass(const std::string& classId);
  // `filter` as for ListRules, on RuleAssign joined with Inventory, InventoryClass and BarCodeRule
  // (a bare ruleId is the assignment's).
  std::shared_ptr<AssignList> ListAssigns(const std::string& filter = "", const std::vector<Variant>& params = {});
  // The item's own assignment, else that of the nearest class above it; nothing when none.
  std::shared_ptr<clsRuleAssign> FindAssignByInventory(const std::string& inventoryId);

  // Called by the service root.
  void AttachContext(const std::shared_ptr<clsContext>& context);
  void DetachContext();

 private:
  // Lets the tests fix the clock and the random numbers behind the assignment codes.
  friend class RuleManagerTestAccess;

  std::shared_ptr<clsContext> Context() const;
  Connection& Conn() const;
  clsItemSourceManager& Sources() const;

  // Rule store.
  std::shared_ptr<clsBarCodeRule> ReadRuleHeader(const Recordset& row) const;
  void LoadRuleItems(const std::shared_ptr<clsBarCodeRule>& rule);
  void SaveRuleItems(const std::shared_ptr<clsBarCodeRule>& rule);
  bool RuleStored(const std::string& ruleId);
  // The symbology catalogue, for the rule checks.
  std::vector<clsBarCodeType> BarCodeTypes();

  // Assignments. `creating`: any assignment the item or class already has refuses the check.
  std::string NewAssignId();
  void InsertInventoryAssign(clsInventoryAssign& a);
  void InsertClassAssign(clsInventoryClassAssign& a);
  void UpdateInventoryAssign(clsInventoryAssign& a);
  void UpdateClassAssign(clsInventoryClassAssign& a);
  void VerifyInventoryAssign(const clsInventoryAssign& a, bool creating);
  void VerifyClassAssign(const clsInventoryClassAssign& a, bool creating);
  std::shared_ptr<HostUserVO> LoadInventoryRecord(const std::string& code);
  std::unique_ptr<Recordset> LoadInventoryClassRows(const std::string& code);
  bool AssignIdStored(const std::string& assignId);
  // The stored assignment of the item (`toItem`) or of the class `key`.
  std::shared_ptr<clsRuleAssign> LoadAssignOf(bool toItem, const std::string& key);
  // Writes the row of `a` for the item or class `key`. The database keeps one assignment per item
  // and per class, and one row per code: a write that fails because the item or class was
  // assigned meanwhile gets the same refusal as the check before it; an insert whose code was
  // taken meanwhile draws a new code.
  void InsertAssignRow(clsRuleAssign& a, bool toItem, const std::string& key);
  void UpdateAssignRow(const clsRuleAssign& a, bool toItem, const std::string& key);

  std::weak_ptr<clsContext> context_;
  int16_t assignCounter_ = 1;
  std::shared_ptr<HostInventoryAccess> inventoryAccess_;
  std::shared_ptr<HostClassLookup> classLookup_;
  // Empty in normal use: the local clock and a generator seeded from the timer.
  std::function<std::tm()> localNow_;
  std::function<float()> nextRandom_;
};

}  // namespace quillstone
