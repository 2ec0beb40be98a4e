// Sending labels to a printer's raw port reports success only when the printer has taken the job:
// fake printers on 127.0.0.1 that read everything, close at once, reset the connection, or never
// read, each answered within the send's time limit.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "cli/LoopbackListener.h"

namespace quillstone::test {
namespace {

// How a fake printer treats the one connection it accepts.
enum class Manner { ReadsAll, ClosesAtOnce, Resets, NeverReads };

class FakePrinter {
 public:
  explicit FakePrinter(Manner manner) : manner_(manner), thread_([this] { Serve(); }) {}
  ~FakePrinter() {
    done_ = true;
    thread_.join();
  }
  std::string address() const { return "127.0.0.1:" + std::to_string(listener_.port()); }

 private:
  static bool Ready(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
  }
  void Serve() {
    while (!done_ && !Ready(listener_.fd(), 50)) {
    }
    if (done_) return;
    const int client = ::accept(listener_.fd(), nullptr, nullptr);
    if (client < 0) return;
    if (manner_ == Manner::Resets) {
      // Wait for the first bytes, then drop the connection with a reset.
      Ready(client, 5000);
      linger hard{1, 0};
      ::setsockopt(client, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    } else if (manner_ == Manner::NeverReads) {
      while (!done_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } else if (manner_ == Manner::ReadsAll) {
      char buffer[4096];
      while (Ready(client, 30000) && ::read(client, buffer, sizeof buffer) > 0) {
      }
    }
    ::close(client);
  }

  Manner manner_;
  LoopbackListener listener_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

class CliPrinterSendTest : public CliSqliteTest {
 protected:
  void SetUp() override {
    CliSqliteTest::SetUp();
    ASSERT_EQ(cli.Run({"rule", "create", "-"},
                      R"({"ruleId": "SEND", "ruleName": "send", "length": 8, "barCodeType": "Code 128",
                          "items": [{"itemType": "ISTFixed", "length": 2, "relevantValue": "SD"},
                                    {"itemType": "ISTInventory", "length": 6}]})")
                  .exitCode,
              0);
  }
  // One label sent; the seconds it took.
  double Send(const FakePrinter& printer, CliResult& result) {
    const auto start = std::chrono::steady_clock::now();
    result = cli.Run({"label", "SD100001", "--rule", "SEND", "--printer", printer.address()});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
};

TEST_F(CliPrinterSendTest, APrinterThatReadsTheJobAndClosesIsSent) {
  FakePrinter printer(Manner::ReadsAll);
  CliResult r;
  Send(printer, r);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Sent 1 label"), std::string::npos) << r.out;
}

TEST_F(CliPrinterSendTest, APrinterThatDoesNotTakeTheJobIsAFailure) {
  for (Manner manner : {Manner::ClosesAtOnce, Manner::Resets}) {
    SCOPED_TRACE(static_cast<int>(manner));
    FakePrinter printer(manner);
    CliResult r;
    EXPECT_LT(Send(printer, r), 10.0);
    ExpectFailure(r, "打印机 '" + printer.address() + "'");
    EXPECT_EQ(r.out.find("Sent"), std::string::npos) << r.out;
  }
  // A printer that never reads keeps its connection open: after the time limit the send says
  // the label may not be printed.
  FakePrinter silent(Manner::NeverReads);
  CliResult r;
  const double seconds = Send(silent, r);
  ExpectFailure(r, "没有确认收完标签");
  EXPECT_LT(seconds, 15.0);
  EXPECT_EQ(r.out.find("Sent"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quillstone::test
