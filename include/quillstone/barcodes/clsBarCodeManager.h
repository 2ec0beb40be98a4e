// Encodes, registers, decodes and verifies barcodes, and keeps the barcode registry.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "quillstone/platform/Collection.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

class ClientRecordset;
class FilterCondition;
class Gs1ElementString;
class clsBarCode;
class clsBarCodeRule;
class clsContext;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class clsRuleAssign;
class HostPositionLookup;
class HostUserVO;
class HostWarehouseLookup;
namespace barcodes {
class VisibleInventory;
}

class clsBarCodeManager {
 public:
  using BarCodeSetList = Collection<std::shared_ptr<clsInventoryBarCodeSet>>;

  // Encoding and registration.
  std::shared_ptr<clsBarCode> EncodeBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                            const std::shared_ptr<clsBarCodeRule>& rule);
  std::shared_ptr<clsBarCode> EncodeBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                            const std::shared_ptr<clsBarCodeRule>& rule,
                                            std::shared_ptr<clsBarCode>& barCode);
  std::shared_ptr<clsInventoryBarCodeSet> CreateBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                        const std::shared_ptr<clsBarCode>& barCode,
                                                        const std::shared_ptr<clsRuleAssign>& assign);
  // Registers `count` barcodes made from `barCode` (as EncodeBarCode filled it) in one
  // transaction, all or none: the checks of CreateBarCode once, `count` successive numbers drawn
  // at once for every running-number segment (a value set there by the caller is replaced too),
  // the check segments computed per barcode. The records come in the order of their numbers;
  // `barCode` is left holding the last barcode.
  static constexpr int kMaxBulkCount = 1000000;
  std::shared_ptr<BarCodeSetList> CreateBarCodes(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                 const std::shared_ptr<clsBarCode>& barCode,
                                                 const std::shared_ptr<clsRuleAssign>& assign, int count);
  std::shared_ptr<clsInventoryBarCodeSet> UpdateBarCode(const std::string& oldBarCode,
                                                        const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                        const std::shared_ptr<clsBarCode>& barCode,
                                                        const std::shared_ptr<clsRuleAssign>& assign);
  std::shared_ptr<clsInventoryBarCodeSet> AddInventoryBarCodeSet(const std::shared_ptr<clsBarCode>& barCode,
                                                                 const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                                 const std::shared_ptr<clsRuleAssign>& assign);

  // Decoding and verification.
  void DecodeBarCode(const std::string& barCode, const std::shared_ptr<clsBarCodeRule>& rule,
                     std::shared_ptr<clsInventoryInfo>& objInv);
  // The same for GS1 data parsed already, without reading its text again.
  void DecodeBarCode(const Gs1ElementString& fields, const std::shared_ptr<clsBarCodeRule>& rule,
                     std::shared_ptr<clsInventoryInfo>& objInv);
  void VerifyBarCodeSet(const std::string& barCode, const std::shared_ptr<clsInventoryInfo>& invInfo);
  // What VerifyBarCodeSet checks once it has the registered properties: the same item, and every
  // property the barcode carries equal to the current one where the current one is given. A
  // supplier's label is checked by it as well.
  void VerifyInventoryInfo(const clsInventoryInfo& fromBarCode, const clsInventoryInfo& current);

  // Registry maintenance.
  bool IsInUse(const std::string& barCode);
  void AbandonBarCode(const std::string& barCode);
  void ReuseBarCode(const std::string& barCode);
  void RemoveBarCode(const std::string& barCode);

  // Items as the logged-in user may see them. CanSeeInventory: the user's data rights include the
  // item (any code, for a user whose rights are not restricted). DescribeInventory: the item's
  // name and class (code and name) from master data into `info`; nothing changes for an unknown item.
  bool CanSeeInventory(const std::string& inventoryId);
  void DescribeInventory(clsInventoryInfo& info);
  // The user's data rights on inventory as a condition on Inventory.iid, for every statement of
  // the library that reads items under them; blank when the user sees every item. The host's list
  // is kept as rows of a temporary table (see VisibleInventory).
  std::string DataRightCondition();

  // Registry queries. `filter` is one condition of the filter grammar (FilterCondition.h) on the
  // registry joined with Inventory (names both tables have mean the registry's columns); anything
  // the grammar does not describe is refused before any SQL runs. `params` are bound to the "?"
  // marks of `filter`, in order.
  // A disconnected recordset: every matching row, with every registry column, is read into memory
  // before it returns, and the connection is free at once. ListInventoryBarCodeSets likewise holds
  // a record per row; ForEachInventoryBarCodeSet below holds none.
  std::shared_ptr<ClientRecordset> ListInventoryBarCodeSetRS(const std::string& filter = "", bool bCheckAuth = true);
  std::shared_ptr<ClientRecordset> ListInventoryBarCodeSetRS(const std::string& filter,
                                                             const std::vector<Variant>& params,
                                                             bool bCheckAuth = true);
  std::shared_ptr<BarCodeSetList> ListInventoryBarCodeSets(const std::string& filter = "", bool bCheckAuth = true);
  std::shared_ptr<BarCodeSetList> ListInventoryBarCodeSets(const std::string& filter,
                                                           const std::vector<Variant>& params,
                                                           bool bCheckAuth = true);
  // The rows of ListInventoryBarCodeSets one at a time, none of them kept: `visit` returns false
  // to stop, and no further row is read. On SQLite the rows are read as they are visited; the
  // PostgreSQL driver receives a query's whole result before the first row.
  using BarCodeSetVisitor = std::function<bool(const std::shared_ptr<clsInventoryBarCodeSet>&)>;
  void ForEachInventoryBarCodeSet(const std::string& filter, const std::vector<Variant>& params,
                                  const BarCodeSetVisitor& visit, bool bCheckAuth = true);
  std::shared_ptr<clsInventoryBarCodeSet> LoadInventoryBarCodeSet(const std::string& barCode, bool bCheckAuth = true);

  // Called by the service root.
  void AttachContext(const std::shared_ptr<clsContext>& context);
  void DetachContext();

 private:
  // The live context; raises when the manager is not attached.
  std::shared_ptr<clsContext> Context() const;
  // Decodes the segments `cut` gives into the item sources' properties.
  void DecodeSegments(const std::shared_ptr<clsBarCodeRule>& rule, std::shared_ptr<clsInventoryInfo>& objInv,
                      const std::function<std::shared_ptr<clsBarCode>()>& cut);

  // The full check before a barcode of `rule` (loaded by the caller) is registered; raises the
  // first failure, True otherwise.
  bool VerifyBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo, const std::shared_ptr<clsBarCode>& barCode,
                     const std::shared_ptr<clsBarCodeRule>& rule);
  // The host's inventory record of the item, with the user's access rights applied.
  std::shared_ptr<HostUserVO> LoadInventory(const std::string& inventoryId);
  void VerifyPosition(const clsInventoryInfo& invInfo);
  void VerifyWarehouse(const clsInventoryInfo& invInfo);

  // Registration steps shared by CreateBarCode, UpdateBarCode and AddInventoryBarCodeSet.
  std::shared_ptr<clsBarCodeRule> LoadBarCodeRule(const std::string& ruleId, const std::string& missingMessage);
  void DrawSequenceNumbers(const clsBarCodeRule& rule, clsBarCode& barCode);
  // For each running-number segment (by position), `count` numbers drawn at once.
  std::vector<std::pair<int, std::vector<std::string>>> DrawSequenceRuns(const clsBarCodeRule& rule, int count);
  void EncodeCheckSegments(const std::shared_ptr<clsInventoryInfo>& invInfo, const clsBarCodeRule& rule,
                           clsBarCode& barCode);
  std::shared_ptr<clsInventoryBarCodeSet> InsertInventoryBarCodeSet(const std::shared_ptr<clsBarCode>& barCode,
                                                                    const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                                    const std::shared_ptr<clsRuleAssign>& assign,
                                                                    const std::shared_ptr<clsBarCodeRule>& rule);
  // Whether any row, visible to the user or not, holds the barcode.
  bool IsRegistered(const std::string& barCode);

  // Abandoning and reusing differ only in the state they leave and the messages they give.
  void SetAbandoned(const std::string& barCode, bool abandon);
  // The registry's text of a barcode the user may see, given in any form; raises when there is none.
  std::string VisibleKey(const std::string& barCode);
  // Whether business documents use the registered barcode `key`.
  bool UsedByDocuments(const std::string& key);

  std::string ListQuery(const FilterCondition& filter, bool bCheckAuth);

  std::weak_ptr<clsContext> context_;
  std::shared_ptr<barcodes::VisibleInventory> visibleInventory_;
  std::shared_ptr<HostWarehouseLookup> warehouseLookup_;
  std::shared_ptr<HostPositionLookup> positionLookup_;
};

}  // namespace quillstone
