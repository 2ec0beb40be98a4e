// The fixture of the service's tests: a demo database with a batch rule assigned to P001 and S001,
// the real `quillstone serve` on a free port, and an HTTP client to it.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "serve/ServeProcess.h"
#include "support/BackendTest.h"

namespace quillstone::test {

class ServeTest : public BackendTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Stops the service and starts it again with `extraArgs` on `host`; the client follows it.
  void Restart(const std::vector<std::string>& extraArgs, const std::string& host = "127.0.0.1");
  std::string Token(const std::string& user);
  static httplib::Headers Bearer(const std::string& token) { return {{"Authorization", "Bearer " + token}}; }
  httplib::Result Post(const std::string& path, const std::string& token, const std::string& body,
                       httplib::Headers headers = {});
  nlohmann::json Register(const std::string& token, const std::string& item, const std::string& batch);
  // The status, and the error's description when there is one.
  static void ExpectError(const httplib::Result& r, int status, const std::string& message);

  ScratchDir dir_;
  std::unique_ptr<CliSession> cli_;
  std::unique_ptr<ServeProcess> server_;
  std::unique_ptr<httplib::Client> http_;

 private:
  void StopServer();
};

}  // namespace quillstone::test
