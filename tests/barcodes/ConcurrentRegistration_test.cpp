// Many client processes register barcodes through one rule at the same time, each with a service
// root of its own, while others read the registry: every registration succeeds, no barcode or
// running number is handed out twice, and the stored number advances by exactly the count.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "barcodes/BarCodeTestSupport.h"
#include "cli/CliProcess.h"
#include "quillstone/server/host/DbHostLogin.h"
#include "quillstone/server/modFunctionDefine.h"
#include "support/ClientProcesses.h"

using namespace quillstone;
using quillstone::test::ChildResult;
using quillstone::test::RunTogether;

namespace {

constexpr int kClients = 8;
constexpr int kReaders = 2;
constexpr int kPerClient = 50;
const char* const kItems[] = {"P001", "P002", "N001"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t b = 0, e; (e = text.find('\n', b)) != std::string::npos; b = e + 1)
    lines.push_back(text.substr(b, e - b));
  return lines;
}

class ConcurrentRegistrationTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    // X + the item's master-data barcode + a 5-digit running number.
    StoreRule("RUN", {{ISTFixed, 1, "X"}, {ISTInventory, 6}, {ISTSequence, 5, "00001"}});
    // No connection of this process stays open across fork(): a child must not share them.
    if (sys.context()) sys.ExitSystem();
    conn->Close();
  }
  void TearDown() override {
    conn = Connection::Open(connectionString());
    BarCodeTest::TearDown();
  }

  // A client that encodes and registers `count` barcodes of `item`, printing each.
  std::function<std::string()> Registrar(const std::string& item, int count) const {
    const std::string db = connectionString();
    return [db, item, count] {
      std::shared_ptr<HostLogin> login = DbHostLogin::Create(db, "admin", Variant("2003-06-01"));
      clsBarCodeSystem system;
      system.InitSystem(login);
      auto manager = system.GetBarCodeManager();
      auto rule = system.GetRuleManager()->LoadRule("RUN");
      std::string out;
      for (int i = 0; i < count; ++i) {
        auto inv = Inv(item);
        auto barCode = manager->EncodeBarCode(inv, rule);
        out += manager->CreateBarCode(inv, barCode, Assign("RUN"))->barCode() + "\n";
      }
      system.ExitSystem();
      return out;
    };
  }

  // A reader that lists and loads what the registrars have stored so far.
  std::function<std::string()> Reader() const {
    const std::string db = connectionString();
    return [db] {
      std::shared_ptr<HostLogin> login = DbHostLogin::Create(db, "admin", Variant("2003-06-01"));
      clsBarCodeSystem system;
      system.InitSystem(login);
      auto manager = system.GetBarCodeManager();
      for (int i = 0; i < 40; ++i) {
        auto list = manager->ListInventoryBarCodeSets("cRuleId = 'RUN'");
        if (list->Count() > 0) manager->LoadInventoryBarCodeSet(list->Item(list->Count())->barCode());
      }
      system.ExitSystem();
      return std::string();
    };
  }

  std::string StoredNumber() {
    return Stored("select relevantValue from BarCodeRuleItem where ruleId = 'RUN' and itemSourceType = 12").toString();
  }

  // Every client ended well; returns every barcode they printed.
  static std::vector<std::string> Registered(const std::vector<ChildResult>& results) {
    std::vector<std::string> barCodes;
    for (std::size_t i = 0; i < results.size(); ++i) {
      EXPECT_EQ(results[i].status, 0) << "client " << i << ": " << results[i].output;
      for (auto& line : Lines(results[i].output)) barCodes.push_back(line);
    }
    return barCodes;
  }
};

TEST_P(ConcurrentRegistrationTest, ClientsOfOneItemAllSucceedWithDistinctNumbers) {
  std::vector<std::function<std::string()>> bodies;
  for (int i = 0; i < kClients; ++i) bodies.push_back(Registrar("P001", kPerClient));
  for (int i = 0; i < kReaders; ++i) bodies.push_back(Reader());
  const auto barCodes = Registered(RunTogether(bodies));

  constexpr int kTotal = kClients * kPerClient;
  EXPECT_EQ(barCodes.size(), static_cast<std::size_t>(kTotal));
  EXPECT_EQ(std::set<std::string>(barCodes.begin(), barCodes.end()).size(), barCodes.size());
  EXPECT_EQ(StoredNumber(), quillstone::ZeroPadNumber(kTotal + 1, 5));
  EXPECT_EQ(Stored("select count(*) from InventoryBarCodeSet where cRuleId = 'RUN'").toInt64(), kTotal);
}

TEST_P(ConcurrentRegistrationTest, ClientsOfDifferentItemsNeverShareARunningNumber) {
  std::vector<std::function<std::string()>> bodies;
  for (int i = 0; i < kClients; ++i) bodies.push_back(Registrar(kItems[i % 3], kPerClient));
  const auto barCodes = Registered(RunTogether(bodies));

  std::set<std::string> numbers;
  for (const auto& barCode : barCodes) numbers.insert(barCode.substr(7));  // after X and the 6-digit item
  constexpr int kTotal = kClients * kPerClient;
  EXPECT_EQ(barCodes.size(), static_cast<std::size_t>(kTotal));
  EXPECT_EQ(numbers.size(), barCodes.size()) << "a running number was handed out twice";
  EXPECT_EQ(StoredNumber(), quillstone::ZeroPadNumber(kTotal + 1, 5));
}

TEST_P(ConcurrentRegistrationTest, RegisterCountCompletesInEveryProgram) {
  // The program assigns through the rule store, so the rule needs an assignment for the item.
  conn = Connection::Open(connectionString());
  conn->Execute("insert into RuleAssign(assignId,assignType,invId,classId,ruleId) values('A-RUN',1,'P001',null,'RUN')");
  conn->Close();
  constexpr int kCount = 30;
  const std::string db = connectionString();
  std::vector<std::function<std::string()>> bodies;
  for (int i = 0; i < kClients; ++i) {
    bodies.push_back([db] {
      auto r = test::CliProcess::Run({"--db", db, "--json", "register", "P001", "--count", std::to_string(kCount)});
      if (r.exitCode != 0) throw std::runtime_error(r.err);
      std::string out;
      for (const auto& entry : r.Json()) out += entry["barCode"].get<std::string>() + "\n";
      return out;
    });
  }
  const auto barCodes = Registered(RunTogether(bodies));
  EXPECT_EQ(barCodes.size(), static_cast<std::size_t>(kClients * kCount));
  EXPECT_EQ(std::set<std::string>(barCodes.begin(), barCodes.end()).size(), barCodes.size());
  EXPECT_EQ(StoredNumber(), quillstone::ZeroPadNumber(kClients * kCount + 1, 5));
}

QS_INSTANTIATE_BACKENDS(ConcurrentRegistrationTest);

}  // namespace
