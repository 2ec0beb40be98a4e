#include "src/quillstone/service/RootPool.h"

#include "quillstone/platform/Variant.h"
#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/host/HostLogin.h"

namespace quillstone::service {

RootPool::RootPool(std::string db, std::chrono::milliseconds maxAge) : db_(std::move(db)), maxAge_(maxAge) {}

RootPool::~RootPool() {
  for (auto& [user, slot] : slots_) {
    std::lock_guard lock(slot->mutex);
    Stop(*slot);
  }
}

std::shared_ptr<RootPool::Slot> RootPool::SlotOf(const std::string& user) {
  std::lock_guard lock(mutex_);
  auto& slot = slots_[user];
  if (!slot) slot = std::make_shared<Slot>();
  return slot;
}

void RootPool::Stop(Slot& slot) {
  if (!slot.system) return;
  auto system = std::move(slot.system);
  try {
    system->ExitSystem();
  } catch (...) {
    // A root that cannot close its connection is dropped all the same: a new one replaces it.
  }
}

void RootPool::Start(Slot& slot, const std::string& user) const {
  // Each root logs in on today's date, as a client starting a session does.
  std::shared_ptr<HostLogin> login = DbHostLogin::Create(db_, user, Variant());
  auto system = std::make_shared<clsBarCodeSystem>();
  system->InitSystem(login);
  slot.system = std::move(system);
  slot.started = std::chrono::steady_clock::now();
}

RootPool::Lease RootPool::Acquire(const std::string& user) {
  Lease lease(SlotOf(user));
  Slot& slot = *lease.slot_;
  if (slot.system && std::chrono::steady_clock::now() - slot.started > maxAge_) Stop(slot);
  if (!slot.system) Start(slot, user);
  return lease;
}

}  // namespace quillstone::service
