// How the service is reached: HTTPS with a certificate made for the test, and IPv6.
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

class ServeTransportTest : public ServeTest {
 protected:
  // Runs the openssl tool in the scratch directory; its chatter goes to a file.
  void OpenSsl(const std::string& args) const {
    const std::string command =
        "cd '" + dir_.path().string() + "' && openssl " + args + " > openssl.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  // A self-signed certificate for 127.0.0.1 (cert.pem, key.pem), and a key of no certificate.
  void MakeCertificate() {
    OpenSsl("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj /CN=127.0.0.1"
            " -addext subjectAltName=IP:127.0.0.1 -keyout key.pem -out cert.pem");
    OpenSsl("genpkey -algorithm EC -pkeyopt ec_paramgen_curve:prime256v1 -out other-key.pem");
  }
  std::string File(const char* name) const { return (dir_.path() / name).string(); }
  void ExpectRefusedStart(const std::string& cert, const std::string& key, const std::string& message) const {
    const auto refused = ServeProcess::Refusal(connectionString(), {"--tls-cert", cert, "--tls-key", key});
    EXPECT_EQ(refused.exitCode, 1) << refused.log;
    EXPECT_NE(refused.log.find(message), std::string::npos) << refused.log;
    EXPECT_EQ(refused.log.find("Sanitizer"), std::string::npos) << refused.log;
  }
  // Whether this machine can listen on the IPv6 loopback address.
  static bool HasIpv6Loopback() {
    const int fd = ::socket(AF_INET6, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
  }
};

TEST_P(ServeTransportTest, ServesHttpsWithItsCertificate) {
  MakeCertificate();
  const std::string admin = Token("admin");
  Restart({"--tls-cert", File("cert.pem"), "--tls-key", File("key.pem")});
  httplib::Client https("https://127.0.0.1:" + std::to_string(server_->port()));
  https.set_ca_cert_path(File("cert.pem").c_str());
  https.enable_server_certificate_verification(true);
  https.set_read_timeout(20, 0);
  auto health = https.Get("/health");
  ASSERT_TRUE(health) << httplib::to_string(health.error());
  EXPECT_EQ(health->status, 200);
  auto registered = https.Post("/api/v1/barcodes", Bearer(admin), R"({"inventoryId": "P001", "batchNo": "LOT001"})",
                               "application/json");
  ASSERT_TRUE(registered) << httplib::to_string(registered.error());
  EXPECT_EQ(registered->status, 201) << registered->body;
  ExpectError(https.Get("/api/v1/rules"), 401, "令牌");

  // Plain HTTP to the HTTPS port gets no answer, and a client that trusts only the system's
  // authorities does not accept the certificate.
  EXPECT_FALSE(http_->Get("/health"));
  httplib::Client untrusting("https://127.0.0.1:" + std::to_string(server_->port()));
  untrusting.enable_server_certificate_verification(true);
  EXPECT_FALSE(untrusting.Get("/health"));
}

TEST_P(ServeTransportTest, RefusesToStartWithABadCertificate) {
  MakeCertificate();
  ExpectRefusedStart(File("missing.pem"), File("key.pem"), "不能读取TLS证书文件");
  ExpectRefusedStart(File("cert.pem"), File("missing.pem"), "不能读取TLS私钥文件");
  ExpectRefusedStart(File("cert.pem"), File("other-key.pem"), "私钥与证书不匹配");
  ExpectRefusedStart(dir_.Write("garbage.pem", "not a certificate").string(), File("key.pem"), "不是PEM格式");
}

TEST_P(ServeTransportTest, ListensOnIpv6) {
  if (!HasIpv6Loopback()) GTEST_SKIP() << "no IPv6 loopback on this machine";
  const std::string admin = Token("admin");
  Restart({}, "::1");
  auto rules = http_->Get("/api/v1/rules", Bearer(admin));
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->status, 200) << rules->body;
}

QS_INSTANTIATE_BACKENDS(ServeTransportTest);

}  // namespace
}  // namespace quillstone::test
