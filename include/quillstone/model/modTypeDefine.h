// The library's enumerations: the kinds of barcode segment and the kinds of rule assignment.
// Values are stored in the database and passed to clients, so they never change.
#pragma once

#include <cstdint>

namespace quillstone {

enum ItemSourceType : int32_t {
  ISTInventory = 0,
  ISTInventoryClass = 1,
  ISTVendor = 2,
  ISTWarehouse = 3,
  ISTPosition = 4,
  ISTBatch = 5,
  ISTInventoryUnit = 6,
  ISTUnitCost = 7,
  ISTMadeDate = 8,
  ISTDisableDate = 9,
  ISTMassDay = 10,
  ISTFixed = 11,
  ISTSequence = 12,
  ISTFree1 = 13,
  ISTFree2 = 14,
  ISTFree3 = 15,
  ISTFree4 = 16,
  ISTFree5 = 17,
  ISTFree6 = 18,
  ISTFree7 = 19,
  ISTFree8 = 20,
  ISTFree9 = 21,
  ISTFree10 = 22,
  ISTCheck = 23,
  ISTOther = 24,
};

enum RuleAssignType : int32_t {
  RATInventoryClass = 0,
  RATInventory = 1,
};

}  // namespace quillstone
