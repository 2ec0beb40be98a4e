// The fixture of tests that need the whole library: a fresh database on each backend with the
// tables and the demo data, and a service root started on it as "admin" on 2003-06-01.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/sources/clsItemSource.h"
#include "support/BackendTest.h"

class SystemTest : public BackendTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A login of `user` on the test database, for a second root or a rights test.
  std::shared_ptr<quillstone::HostLogin> LoginAs(const std::string& user, const std::string& date = "2003-06-01");
  // Restarts the root as `user` on the test's connection.
  void RestartAs(const std::string& user, const std::string& date = "2003-06-01");
  // Called each time the root has (re)started, so a fixture can take the new managers.
  virtual void Started() {}

  std::shared_ptr<quillstone::clsContext> context() const { return sys.context(); }
  std::shared_ptr<quillstone::clsItemSource> Source(int32_t itemType) const;

  quillstone::clsBarCodeSystem sys;
  std::shared_ptr<quillstone::HostLogin> login;
};
