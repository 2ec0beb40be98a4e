#include "quillstone/barcodes/clsBarCodeManager.h"

#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/host/HostPositionLookup.h"
#include "quillstone/server/host/HostWarehouseLookup.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void clsBarCodeManager::AttachContext(const std::shared_ptr<clsContext>& context) {
  context_ = context;
  auto factory = context->objLogin()->hostFactory();
  warehouseLookup_ = factory->CreateWarehouseLookup();
  warehouseLookup_->Init(context->moLogin());
  positionLookup_ = factory->CreatePositionLookup();
  positionLookup_->Init(context->moLogin());
}

void clsBarCodeManager::DetachContext() {
  context_.reset();
  warehouseLookup_.reset();
  positionLookup_.reset();
}

std::shared_ptr<clsContext> clsBarCodeManager::Context() const {
  auto context = context_.lock();
  Assert(context != nullptr, kServiceNotStarted);
  return context;
}

}  // namespace quillstone
