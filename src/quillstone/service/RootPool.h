// The library's service roots of the users the service works for: one per user, reused by his
// requests one at a time (a root is single-threaded), and started afresh when older than the
// pool's age limit, so a change of the user's rights takes effect within that time.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace quillstone {
class clsBarCodeSystem;
}

namespace quillstone::service {

class RootPool {
  struct Slot {
    std::mutex mutex;
    std::shared_ptr<clsBarCodeSystem> system;
    std::chrono::steady_clock::time_point started;
  };

 public:
  // The root of one user, held for one request: nobody else uses it until the lease ends.
  class Lease {
   public:
    explicit Lease(std::shared_ptr<Slot> slot) : slot_(std::move(slot)), lock_(slot_->mutex) {}
    clsBarCodeSystem& system() const { return *slot_->system; }

   private:
    friend class RootPool;
    std::shared_ptr<Slot> slot_;
    std::unique_lock<std::mutex> lock_;
  };

  RootPool(std::string db, std::chrono::milliseconds maxAge);
  ~RootPool();
  RootPool(const RootPool&) = delete;
  RootPool& operator=(const RootPool&) = delete;

  // Waits for the user's root; starts it when there is none or it is too old. A user the host
  // refuses raises the host's message.
  Lease Acquire(const std::string& user);

 private:
  std::shared_ptr<Slot> SlotOf(const std::string& user);
  void Start(Slot& slot, const std::string& user) const;
  static void Stop(Slot& slot);

  std::string db_;
  std::chrono::milliseconds maxAge_;
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<Slot>> slots_;
};

}  // namespace quillstone::service
