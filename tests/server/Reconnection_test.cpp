// A PostgreSQL server restarted under a live service root: the call in flight fails with a clear
// message, and the root's own connection comes back by itself on the next call; a connection the
// caller handed in stays the caller's to reopen. The server is one of the test's own, so the
// restart disturbs no other test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/schema/Schema.h"
#include "support/CaughtError.h"

using namespace quillstone;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kScripts = std::string(QS_SOURCE_DIR) + "/scripts/";

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

std::string Value(const std::string& text, const std::string& name) {
  const auto at = text.find(name + "=");
  if (at == std::string::npos) return "";
  const auto begin = at + name.size() + 1;
  return text.substr(begin, text.find('\n', begin) - begin);
}

class ReconnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists("/usr/lib/postgresql/15/bin/pg_ctl")) GTEST_SKIP() << "no PostgreSQL server here";
    const std::string env = Capture("bash " + kScripts + "pg-start.sh 2>/dev/null");
    url_ = Value(env, "QS_PG_URL");
    dir_ = Value(env, "QS_PG_DIR");
    ASSERT_FALSE(url_.empty()) << "the test server did not start";
    auto conn = Connection::Open(url_);
    Schema::Create(*conn);
    Schema::LoadDemo(*conn);
  }
  void TearDown() override {
    if (!dir_.empty()) Capture("bash " + kScripts + "pg-stop.sh " + dir_ + " 2>&1");
  }
  void Restart() { ASSERT_EQ(std::system(("bash " + kScripts + "pg-restart.sh " + dir_ + " 2>/dev/null").c_str()), 0); }
  std::shared_ptr<HostLogin> Login() { return DbHostLogin::Create(url_, "admin", Variant("2003-06-01")); }
  static void Look(clsBarCodeSystem& system) { system.GetBarCodeManager()->LoadInventoryBarCodeSet("P10001"); }

  std::string url_;
  std::string dir_;
};

TEST_F(ReconnectionTest, TheRootsOwnConnectionComesBackAfterARestart) {
  auto login = Login();
  clsBarCodeSystem system;
  system.InitSystem(login);
  Look(system);
  Restart();
  const Error lost = test::CaughtError([&] { Look(system); });
  EXPECT_THAT(lost.description(), StartsWith("与 PostgreSQL 数据库服务器的连接已断开："));
  EXPECT_EQ(lost.description().find('\n'), std::string::npos);
  EXPECT_NO_THROW(Look(system));  // reconnected by itself
  EXPECT_NO_THROW(Look(system));
  system.ExitSystem();
}

TEST_F(ReconnectionTest, ACallersConnectionIsTheCallersToReopen) {
  auto login = Login();
  auto conn = Connection::Open(url_);
  clsBarCodeSystem system;
  system.InitSystem(login, conn);
  Look(system);
  Restart();
  for (int call = 0; call < 2; ++call) {
    EXPECT_THAT(test::CaughtError([&] { Look(system); }).description(),
                HasSubstr("与 PostgreSQL 数据库服务器的连接已断开"));
  }
  system.ExitSystem();
  conn = Connection::Open(url_);  // what the caller does: a new connection, a new start
  system.InitSystem(login, conn);
  EXPECT_NO_THROW(Look(system));
  system.ExitSystem();
}

}  // namespace
