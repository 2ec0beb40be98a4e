// The service's endpoints and its routing table: each endpoint reads its request, runs the
// library as the caller's user on that user's root, and answers with the library's records.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "src/quillstone/service/ApiRoute.h"
#include "src/quillstone/service/RootPool.h"

namespace quillstone {
class clsBarCodeRule;
class clsInventoryInfo;
class clsRuleAssign;
class clsRuleManager;
}  // namespace quillstone

namespace quillstone::service {

class IdempotencyStore;

class ApiEndpoints {
 public:
  // Most barcodes one request registers.
  static constexpr int kMaxBulkCount = 10000;
  // Most labels one request prints.
  static constexpr std::size_t kMaxLabels = 100;

  ApiEndpoints(RootPool& roots, IdempotencyStore& keys) : roots_(roots), keys_(keys) {}

  // Every route the service serves, /openapi.json included (made from the others).
  std::vector<ApiRoute> Routes();

 private:
  ApiResponse ListRules(ApiCall& call);
  ApiResponse ShowRule(ApiCall& call);
  ApiResponse ShowBarCode(ApiCall& call);
  ApiResponse Scan(ApiCall& call);
  ApiResponse ScanPicture(ApiCall& call);
  ApiResponse Verify(ApiCall& call);
  ApiResponse Register(ApiCall& call);
  // One barcode, or `count` through the library's bulk registration (all or none).
  ApiResponse RegisterOnce(ApiCall& call, const std::shared_ptr<clsInventoryInfo>& info, std::optional<int> count);
  ApiResponse Abandon(ApiCall& call) { return SetAbandoned(call, true); }
  ApiResponse Reuse(ApiCall& call) { return SetAbandoned(call, false); }
  ApiResponse SetAbandoned(ApiCall& call, bool abandon);
  ApiResponse Remove(ApiCall& call);
  ApiResponse InUse(ApiCall& call);
  ApiResponse ListBarCodes(ApiCall& call);
  ApiResponse Encode(ApiCall& call);
  ApiResponse Labels(ApiCall& call);

  // The rule `id`; none is the library's refusal naming it.
  static std::shared_ptr<clsBarCodeRule> RuleNamed(clsRuleManager& rules, const std::string& id);
  // The assignment that governs the item, and its rule.
  static std::pair<std::shared_ptr<clsRuleAssign>, std::shared_ptr<clsBarCodeRule>> AssignedRule(
      clsRuleManager& rules, const std::string& item);

  // The caller's root for this request; a user the host no longer accepts answers 401.
  RootPool::Lease Root(ApiCall& call);
  // Runs `read` as the reading of the request: what it raises answers 400.
  static void Reading(ApiCall& call, const std::function<void()>& read);
  static void RequireJson(const ApiRequest& request);
  // The library's refusal of a barcode that is not registered or not visible to the user.
  [[noreturn]] static void NotRegistered(const std::string& barCode);

  RootPool& roots_;
  IdempotencyStore& keys_;
};

}  // namespace quillstone::service
