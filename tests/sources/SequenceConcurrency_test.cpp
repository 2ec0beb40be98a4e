// Several client processes, each with its own connection, draw from one sequence at the same time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "quillstone/model/modTypeDefine.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Transaction.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/server/schema/Schema.h"
#include "quillstone/sources/clsSequenceManager.h"
#include "support/BackendTest.h"
#include "support/ClientProcesses.h"

using namespace quillstone;
using quillstone::test::RunTogether;

namespace {

constexpr int kClients = 4;
constexpr int kDrawsPerClient = 500;
constexpr int kWidth = 6;
constexpr int kStart = 100;

// One client: its own connection and sequence manager, then the draws, one number per line. Odd
// clients draw inside a transaction of their own, as registration does.
std::string DrawNumbers(const std::string& connectionString, int client) {
  auto conn = Connection::Open(connectionString);
  // What is tested is who wins a write, not durability: without a sync per commit the SQLite
  // run takes about a tenth of the time.
  if (conn->backend() == Backend::Sqlite) conn->ExecuteScript("PRAGMA synchronous=NORMAL");
  auto context = std::make_shared<clsContext>();
  context->setMConn(conn);
  auto manager = std::make_shared<clsSequenceManager>();
  manager->AttachContext(context);
  std::string numbers;
  for (int i = 0; i < kDrawsPerClient; ++i) {
    if (client % 2 == 1) {
      Transaction transaction(*conn);
      numbers += manager->CreateSequenceNumber("CONC", 1) + "\n";
      transaction.Commit();
    } else {
      numbers += manager->CreateSequenceNumber("CONC", 1) + "\n";
    }
  }
  manager->DetachContext();
  conn->Close();
  return numbers;
}

}  // namespace

class SequenceConcurrencyTest : public BackendTest {};

TEST_P(SequenceConcurrencyTest, ParallelClientsNeverShareOrLoseANumber) {
  Schema::Create(*conn);
  conn->Execute("insert into BarCodeRule (ruleId, ruleName, length, barcodeType, description) values (?, ?, ?, ?, ?)",
                {Variant("CONC"), Variant("CONC"), Variant(int16_t{kWidth}), Variant("1"), Variant("")});
  conn->Execute(
      "insert into BarCodeRuleItem (ruleId, \"index\", length, itemSourceType, relevantValue) values (?, ?, ?, ?, ?)",
      {Variant("CONC"), Variant(int16_t{1}), Variant(int16_t{kWidth}), Variant(int32_t{ISTSequence}),
       Variant(ZeroPadNumber(kStart, kWidth))});

  // No connection of this process stays open across fork(): a child must not share the
  // parent's database handles, not even unused.
  conn->Close();
  std::vector<std::function<std::string()>> clients;
  for (int client = 0; client < kClients; ++client)
    clients.push_back([db = connectionString(), client] { return DrawNumbers(db, client); });
  const auto results = RunTogether(clients);
  ASSERT_EQ(results.size(), static_cast<std::size_t>(kClients)) << "could not start every client";

  std::multiset<std::string> numbers;
  for (std::size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].status, 0) << "client " << i << ": " << results[i].output;
    const std::string& text = results[i].output;
    for (std::size_t b = 0, e; (e = text.find('\n', b)) != std::string::npos; b = e + 1)
      numbers.insert(text.substr(b, e - b));
  }

  constexpr int kDraws = kClients * kDrawsPerClient;
  const std::set<std::string> distinct(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kDraws));
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kDraws)) << "numbers handed out twice";
  if (!distinct.empty()) {
    EXPECT_EQ(*distinct.begin(), ZeroPadNumber(kStart, kWidth));
    EXPECT_EQ(*distinct.rbegin(), ZeroPadNumber(kStart + kDraws - 1, kWidth));
  }

  conn = Connection::Open(connectionString());
  auto rows = conn->Query("select relevantValue from BarCodeRuleItem where ruleId = ? and \"index\" = ?",
                          {Variant("CONC"), Variant(int16_t{1})});
  ASSERT_FALSE(rows->IsEOF());
  EXPECT_EQ(NullToStr(rows->Field("relevantValue")), ZeroPadNumber(kStart + kDraws, kWidth));
}

QS_INSTANTIATE_BACKENDS(SequenceConcurrencyTest);
