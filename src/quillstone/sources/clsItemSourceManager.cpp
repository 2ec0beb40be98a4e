#include "quillstone/sources/clsItemSourceManager.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Int16.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/sources/clsBatchItemSource.h"
#include "src/quillstone/sources/clsCheckItemSource.h"
#include "src/quillstone/sources/clsDisableDateItemSource.h"
#include "src/quillstone/sources/clsFixedItemSource.h"
#include "src/quillstone/sources/clsFreeItemSource.h"
#include "src/quillstone/sources/clsInvClassItemSource.h"
#include "src/quillstone/sources/clsInventoryItemSource.h"
#include "src/quillstone/sources/clsMadeDateItemSource.h"
#include "src/quillstone/sources/clsMassDayItemSource.h"
#include "src/quillstone/sources/clsOtherItemSource.h"
#include "src/quillstone/sources/clsPositionItemSource.h"
#include "src/quillstone/sources/clsSequenceItemSource.h"
#include "src/quillstone/sources/clsUnitCostItemSource.h"
#include "src/quillstone/sources/clsUnitItemSource.h"
#include "src/quillstone/sources/clsVendorItemSource.h"
#include "src/quillstone/sources/clsWarehouseItemSource.h"

namespace quillstone {
namespace {

constexpr int kSourceTypeCount = ISTOther + 1;

std::shared_ptr<clsItemSource> NewSource(int32_t type) {
  switch (type) {
    case ISTInventory: return std::make_shared<clsInventoryItemSource>();
    case ISTInventoryClass: return std::make_shared<clsInvClassItemSource>();
    case ISTVendor: return std::make_shared<clsVendorItemSource>();
    case ISTWarehouse: return std::make_shared<clsWarehouseItemSource>();
    case ISTPosition: return std::make_shared<clsPositionItemSource>();
    case ISTBatch: return std::make_shared<clsBatchItemSource>();
    case ISTInventoryUnit: return std::make_shared<clsUnitItemSource>();
    case ISTUnitCost: return std::make_shared<clsUnitCostItemSource>();
    case ISTMadeDate: return std::make_shared<clsMadeDateItemSource>();
    case ISTDisableDate: return std::make_shared<clsDisableDateItemSource>();
    case ISTMassDay: return std::make_shared<clsMassDayItemSource>();
    case ISTFixed: return std::make_shared<clsFixedItemSource>();
    case ISTSequence: return std::make_shared<clsSequenceItemSource>();
    case ISTCheck: return std::make_shared<clsCheckItemSource>();
    case ISTOther: return std::make_shared<clsOtherItemSource>();
    default:
      break;
  }
  if (type >= ISTFree1 && type <= ISTFree10) {
    auto source = std::make_shared<clsFreeItemSource>();
    source->setFreeItemType(static_cast<ItemSourceType>(type));
    return source;
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<clsItemSource> clsItemSourceManager::GetItemSource(int32_t itemType) const {
  int count = sources_ ? sources_->Count() : 0;
  Assert(itemType >= 0 && itemType < count, "越界错误");
  return sources_->Item(itemType + 1);
}

std::shared_ptr<clsItemSourceManager::SourceList> clsItemSourceManager::ListItemSources() const {
  auto list = std::make_shared<SourceList>();
  if (sources_)
    for (const auto& source : *sources_) list->Add(source);
  return list;
}

void clsItemSourceManager::AttachContext(const std::shared_ptr<clsContext>& context) {
  sources_ = std::make_shared<SourceList>();
  bool loaded = false;
  TrapAndReraise(
      [&] {
        LoadSources(context);
        loaded = true;
      },
      [&] {
        // A manager that failed to start hands out no source at all.
        if (!loaded) sources_.reset();
      });
}

void clsItemSourceManager::LoadSources(const std::shared_ptr<clsContext>& context) {
  auto rows = context->mConn()->Query("select * from ItemSourceType order by sourceType");
  for (; !rows->IsEOF(); rows->MoveNext()) sources_->Add(CreateItemSource(*rows, context));
  Assert(sources_->Count() == kSourceTypeCount, "条码项来源类型表ItemSourceType不完整：应有" +
                                                    std::to_string(kSourceTypeCount) + "行，实际为" +
                                                    std::to_string(sources_->Count()) + "行");
}

std::shared_ptr<clsItemSource> clsItemSourceManager::CreateItemSource(const Recordset& row,
                                                                      const std::shared_ptr<clsContext>& context) {
  int32_t type = NullToLng(row.Field("sourceType"));
  // Sources are handed out by position, so row k must be type k - 1: a gap or a duplicate would
  // hand every later type the wrong source.
  int32_t expected = sources_->Count();
  Assert(type == expected, "条码项来源类型表ItemSourceType不完整：第" + std::to_string(expected + 1) + "行的类型应为" +
                               std::to_string(expected) + "，实际为" + std::to_string(type));
  auto source = NewSource(type);
  Assert(source != nullptr, "条码项来源类型" + std::to_string(type) + "不存在");
  source->InitSource(context);
  source->setLength(ToInt16(NullToLng(row.Field("length"))));
  source->setSourceName(FieldText(row, "sourceName"));
  return source;
}

void clsItemSourceManager::DetachContext() { sources_.reset(); }

}  // namespace quillstone
