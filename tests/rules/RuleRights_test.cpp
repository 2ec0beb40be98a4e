#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "quillstone/model/clsInventoryAssign.h"
#include "src/quillstone/server/host/DbHostFactory.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostFactory.h"
#include "rules/RuleTestSupport.h"

using namespace quillstone;
using quillstone::test::FailureText;
using quillstone::test::PlainRule;

namespace {

using RightCall = std::pair<std::string, bool>;
using CallLog = std::vector<RightCall>;

// The default common services, with every rights check written down.
class RecordingCommon : public HostCommon {
 public:
  RecordingCommon(std::shared_ptr<HostCommon> inner, std::shared_ptr<CallLog> log)
      : inner_(std::move(inner)), log_(std::move(log)) {}

  bool AttachLogin(std::shared_ptr<HostLogin>& login) override { return inner_->AttachLogin(login); }
  void setConnection(const std::shared_ptr<Connection>& conn) override { inner_->setConnection(conn); }
  std::shared_ptr<Connection> connection() const override { return inner_->connection(); }
  std::shared_ptr<Account> account() const override { return inner_->account(); }
  void setAccount(const std::shared_ptr<Account>& account) override { inner_->setAccount(account); }
  std::shared_ptr<HostLogin> login() const override { return inner_->login(); }
  bool CheckRight(std::string& function_id, bool& begin) override {
    log_->emplace_back(function_id, begin);
    return inner_->CheckRight(function_id, begin);
  }
  std::string DataRightFilter(const std::string& object, const std::string& extra, const std::string& mode) override {
    return inner_->DataRightFilter(object, extra, mode);
  }

 private:
  std::shared_ptr<HostCommon> inner_;
  std::shared_ptr<CallLog> log_;
};

class RecordingFactory : public DbHostFactory {
 public:
  explicit RecordingFactory(std::shared_ptr<CallLog> log) : log_(std::move(log)) {}
  std::shared_ptr<HostCommon> CreateCommon() override {
    return std::make_shared<RecordingCommon>(DbHostFactory::CreateCommon(), log_);
  }

 private:
  std::shared_ptr<CallLog> log_;
};

class RecordingLogin : public HostLogin {
 public:
  RecordingLogin(std::shared_ptr<HostLogin> inner, std::shared_ptr<CallLog> log)
      : inner_(std::move(inner)), factory_(std::make_shared<RecordingFactory>(std::move(log))) {}
  std::string connectionString() const override { return inner_->connectionString(); }
  Variant loginDate() const override { return inner_->loginDate(); }
  std::string userId() const override { return inner_->userId(); }
  std::shared_ptr<HostFactory> hostFactory() override { return factory_; }

 private:
  std::shared_ptr<HostLogin> inner_;
  std::shared_ptr<HostFactory> factory_;
};

class RuleRightsTest : public RuleManagerTest {
 protected:
  void StartRecording(const std::string& user) {
    rm.reset();
    if (sys.context()) sys.ExitSystem();
    log = std::make_shared<CallLog>();
    login = std::make_shared<RecordingLogin>(LoginAs(user), log);
    sys.InitSystem(login, conn);
    rm = sys.GetRuleManager();
  }
  // The calls since the last look.
  CallLog Calls() { return std::exchange(*log, {}); }

  std::shared_ptr<CallLog> log;
};

const RightCall kRuleBegin{"ST050102", true}, kRuleEnd{"ST050102", false};
const RightCall kAssignBegin{"ST050202", true}, kAssignEnd{"ST050202", false};

TEST_P(RuleRightsTest, RefusedRightsAreNeverReleased) {
  rm->CreateRule(PlainRule("R1"));
  InsertAssign("A1", 1, "P001", "", "R1");
  StartRecording("clerk");

  auto rule = PlainRule("R2");
  EXPECT_EQ(FailureText([&] { rm->CreateRule(rule); }), "您没有新建条码规则的权限.");
  EXPECT_EQ(FailureText([&] { rm->SaveRule(rule); }), "您没有修改条码规则的权限.");
  std::string id = "R1";
  EXPECT_EQ(FailureText([&] { rm->RemoveRule(id); }), "您没有删除条码规则的权限.");
  EXPECT_EQ(Calls(), (CallLog{kRuleBegin, kRuleBegin, kRuleBegin}));

  std::shared_ptr<clsRuleAssign> a = std::make_shared<clsInventoryAssign>();
  EXPECT_EQ(FailureText([&] { rm->CreateAssign(a); }), "您没有新建条码规则分配的权限.");
  EXPECT_EQ(FailureText([&] { rm->SaveAssign(a); }), "您没有修改条码规则分配的权限.");
  EXPECT_EQ(FailureText([&] { rm->RemoveAssign("A1"); }), "您没有删除条码规则分配的权限.");
  EXPECT_EQ(Calls(), (CallLog{kAssignBegin, kAssignBegin, kAssignBegin}));

  EXPECT_EQ(rm->LoadRule("R2"), nullptr);
  EXPECT_NE(rm->LoadRule("R1"), nullptr);
  EXPECT_NE(rm->LoadAssignByInventory("P001"), nullptr);
}

TEST_P(RuleRightsTest, GrantedRightsAreReleasedAfterSuccessAndFailure) {
  StartRecording("admin");
  auto invalid = PlainRule("R1", "  ");
  FailureText([&] { rm->CreateRule(invalid); });
  EXPECT_EQ(Calls(), CallLog{}) << "validation comes before the rights check";

  rm->CreateRule(PlainRule("R1"));
  EXPECT_EQ(Calls(), (CallLog{kRuleBegin, kRuleEnd}));
  EXPECT_EQ(FailureText([&] { rm->CreateRule(PlainRule("R1")); }), "条码规则编号重复");
  EXPECT_EQ(Calls(), (CallLog{kRuleBegin, kRuleEnd}));

  std::shared_ptr<clsRuleAssign> a = std::make_shared<clsInventoryAssign>();
  std::static_pointer_cast<clsInventoryAssign>(a)->setInventoryId("P003");
  a->setRuleId("R1");
  FailureText([&] { rm->CreateAssign(a); });
  EXPECT_EQ(Calls(), (CallLog{kAssignBegin, kAssignEnd}));
  std::static_pointer_cast<clsInventoryAssign>(a)->setInventoryId("P001");
  rm->CreateAssign(a);
  EXPECT_EQ(Calls(), (CallLog{kAssignBegin, kAssignEnd}));

  auto rule = PlainRule("R1");
  EXPECT_EQ(FailureText([&] { rm->SaveRule(rule); }), "该条码规则已被使用，不能修改");
  std::string id = "R1";
  EXPECT_EQ(FailureText([&] { rm->RemoveRule(id); }), "该条码规则已被使用，不能删除");
  EXPECT_EQ(Calls(), (CallLog{kRuleBegin, kRuleEnd, kRuleBegin, kRuleEnd}));

  rm->RemoveAssign(a->assignId());
  rm->RemoveRule(id);
  EXPECT_EQ(Calls(), (CallLog{kAssignBegin, kAssignEnd, kRuleBegin, kRuleEnd}));
}

QS_INSTANTIATE_BACKENDS(RuleRightsTest);

}  // namespace
