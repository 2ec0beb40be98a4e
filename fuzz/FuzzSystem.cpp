#include "FuzzSystem.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Variant.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/schema/Schema.h"

namespace quillstone::fuzz {

clsBarCodeSystem& DemoSystem() {
  // Kept for the whole run: the fuzzer never ends the process normally.
  static clsBarCodeSystem* system = [] {
    const std::string db = "sqlite::memory:";
    auto conn = Connection::Open(db);
    Schema::Create(*conn);
    Schema::LoadDemo(*conn);
    auto* root = new clsBarCodeSystem();
    std::shared_ptr<HostLogin> login = DbHostLogin::Create(db, "admin", Variant("2003-06-01"));
    root->InitSystem(login, conn);
    return root;
  }();
  return *system;
}

}  // namespace quillstone::fuzz
