#include "src/quillstone/service/ApiEndpoints.h"

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/labels/LabelWriter.h"
#include "quillstone/model/Symbology.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/scanning/clsScanService.h"
#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/service/IdempotencyStore.h"
#include "src/quillstone/service/OpenApiDocument.h"
#include "src/quillstone/service/RegistryPage.h"
#include "quillstone/service/RecordJson.h"
#include "src/quillstone/service/RequestBody.h"
#include "src/quillstone/service/TokenDigest.h"

namespace quillstone::service {
namespace {

ApiResponse Json(int status, nlohmann::json body) {
  ApiResponse answer;
  answer.status = status;
  answer.body = std::move(body);
  return answer;
}

nlohmann::json JsonBody(const char* schemaRef) {
  return {{"required", true},
          {"content", {{"application/json", {{"schema", {{"$ref", std::string("#/components/schemas/") + schemaRef}}}}}}}};
}

nlohmann::json Answer(const char* description) {
  return {{"description", description}, {"content", {{"application/json", {{"schema", {{"type", "object"}}}}}}}};
}

nlohmann::json QueryText(const char* name, const char* description) {
  return {{"name", name}, {"in", "query"}, {"required", false}, {"description", description}, {"schema", {{"type", "string"}}}};
}

const char* MediaType(LabelFormat format) {
  switch (format) {
    case LabelFormat::Png:
      return "image/png";
    case LabelFormat::Svg:
      return "image/svg+xml";
    case LabelFormat::Pdf:
      return "application/pdf";
    case LabelFormat::Zpl:
      break;
  }
  return "text/plain; charset=utf-8";
}

// A change of a registered barcode's state: its answers besides those every operation has.
nlohmann::json RegistryChange(const char* summary, const char* done) {
  return {{"summary", summary},
          {"responses",
           {{"200", Answer(done)},
            {"403", Answer("The user lacks the right to change the registry")},
            {"409", Answer("The barcode's state forbids the change")}}}};
}

}  // namespace

std::vector<ApiRoute> ApiEndpoints::Routes() {
  using Op = ApiOperation;
  auto bind = [this](ApiResponse (ApiEndpoints::*endpoint)(ApiCall&)) {
    return [this, endpoint](ApiCall& call) { return (this->*endpoint)(call); };
  };
  std::vector<ApiRoute> routes = {
      {"GET", "/health", Op::Lookup, false, [](ApiCall&) { return Json(200, {{"status", "ok"}}); },
       {{"summary", "The service is up"}, {"responses", {{"200", Answer("{\"status\": \"ok\"}")}}}}},
      {"GET", "/api/v1/rules", Op::ListRules, true, bind(&ApiEndpoints::ListRules),
       {{"summary", "Every barcode rule, with its items"}, {"responses", {{"200", Answer("{\"rules\": [rule]}")}}}}},
      {"GET", "/api/v1/rules/{id}", Op::Lookup, true, bind(&ApiEndpoints::ShowRule),
       {{"summary", "One barcode rule"}, {"responses", {{"200", Answer("The rule")}}}}},
      {"GET", "/api/v1/barcodes/{code}", Op::Lookup, true, bind(&ApiEndpoints::ShowBarCode),
       {{"summary", "A registered barcode, the code in any GS1 form, percent-encoded"},
        {"responses", {{"200", Answer("The registry record")}}}}},
      {"POST", "/api/v1/barcodes", Op::Register, true, bind(&ApiEndpoints::Register),
       {{"summary",
         "Register one barcode for an item through the rule assigned to it, or \"count\" of them at once, all or none"},
        {"parameters",
         {{{"name", "Idempotency-Key"}, {"in", "header"}, {"required", false}, {"schema", {{"type", "string"}}}}}},
        {"requestBody", JsonBody("Registration")},
        {"responses", {{"201", Answer("The registry record; {\"items\": [registry record]} for a count")}, {"409", Answer("A duplicate or a key in use")}}}}},
      {"POST", "/api/v1/scans", Op::Identify, true, bind(&ApiEndpoints::Scan),
       {{"summary", "Identify a scan: text as JSON, or a PNG or JPEG picture (ruleId as a query parameter)"},
        {"requestBody",
         {{"required", true},
          {"content",
           {{"application/json", {{"schema", {{"$ref", "#/components/schemas/Scan"}}}}},
            {"image/png", {{"schema", {{"type", "string"}, {"format", "binary"}}}}},
            {"image/jpeg", {{"schema", {{"type", "string"}, {"format", "binary"}}}}}}}}},
        {"responses", {{"200", Answer("The answer, or {\"symbols\": [answer]} for a picture")}}}}},
      {"POST", "/api/v1/verifications", Op::Verify, true, bind(&ApiEndpoints::Verify),
       {{"summary", "Verify a scan against a document's item and properties"},
        {"requestBody", JsonBody("Verification")},
        {"responses", {{"200", Answer("{\"verified\": true, ...}")}}}}},
      {"GET", "/api/v1/barcodes", Op::ListBarCodes, true, bind(&ApiEndpoints::ListBarCodes),
       {{"summary", "Registered barcodes the user may see, in barcode order, a page at a time"},
        {"parameters",
         {QueryText("inventoryId", "Only this item"), QueryText("ruleId", "Only this rule"),
          QueryText("after", "The cursor: the \"next\" of the page before"),
          {{"name", "limit"},
           {"in", "query"},
           {"required", false},
           {"schema", {{"type", "integer"}, {"minimum", 1}, {"maximum", RegistryPage::kMaxLimit}}}}}},
        {"responses", {{"200", Answer("{\"items\": [registry record], \"next\": cursor or null}")}}}}},
      {"GET", "/api/v1/barcodes/{code}/in-use", Op::Lookup, true, bind(&ApiEndpoints::InUse),
       {{"summary", "Whether business documents use a registered barcode"},
        {"responses", {{"200", Answer("{\"barCode\": code, \"inUse\": true or false}")}}}}},
      {"POST", "/api/v1/barcodes/{code}/abandon", Op::ChangeRegistry, true, bind(&ApiEndpoints::Abandon),
       RegistryChange("Seal a barcode so documents can no longer use it", "The registry record, abandoned")},
      {"POST", "/api/v1/barcodes/{code}/reuse", Op::ChangeRegistry, true, bind(&ApiEndpoints::Reuse),
       RegistryChange("Unseal an abandoned barcode", "The registry record, in use again")},
      {"DELETE", "/api/v1/barcodes/{code}", Op::ChangeRegistry, true, bind(&ApiEndpoints::Remove),
       RegistryChange("Delete a registered barcode no document uses", "{\"barCode\": code, \"removed\": true}")},
      {"POST", "/api/v1/encodings", Op::Encode, true, bind(&ApiEndpoints::Encode),
       {{"summary", "The barcode an item's rule makes for these properties, without registering it"},
        {"requestBody", JsonBody("Inventory")},
        {"responses", {{"200", Answer("{\"barCode\", \"ruleId\", \"assignId\", \"segments\": [...]}")}}}}},
      {"POST", "/api/v1/labels", Op::Labels, true, bind(&ApiEndpoints::Labels),
       {{"summary", "Labels of registered barcodes: one PNG or SVG picture, a PDF of a label a page, or ZPL"},
        {"requestBody", JsonBody("Labels")},
        {"responses",
         {{"200",
           {{"description", "The labels' bytes"},
            {"content",
             {{"image/png", {{"schema", {{"type", "string"}, {"format", "binary"}}}}},
              {"image/svg+xml", {{"schema", {{"type", "string"}}}}},
              {"application/pdf", {{"schema", {{"type", "string"}, {"format", "binary"}}}}},
              {"text/plain", {{"schema", {{"type", "string"}}}}}}}}}}}}},
  };
  auto doc = std::make_shared<nlohmann::json>();
  routes.push_back({"GET", "/openapi.json", Op::Lookup, false, [doc](ApiCall&) { return Json(200, *doc); },
                    {{"summary", "This document"}, {"responses", {{"200", Answer("OpenAPI 3.1")}}}}});
  *doc = OpenApiDocument::Build(routes);
  return routes;
}

RootPool::Lease ApiEndpoints::Root(ApiCall& call) {
  const ApiOperation operation = call.operation;
  call.operation = ApiOperation::Authenticate;
  auto lease = roots_.Acquire(call.user);
  call.operation = operation;
  return lease;
}

void ApiEndpoints::Reading(ApiCall& call, const std::function<void()>& read) {
  const ApiOperation operation = call.operation;
  call.operation = ApiOperation::ReadRequest;
  read();
  call.operation = operation;
}

void ApiEndpoints::RequireJson(const ApiRequest& request) {
  const std::string type = request.ContentType();
  if (type != "application/json" && !type.empty()) RaiseError("Content-Type应为application/json，实际为" + type);
}

void ApiEndpoints::NotRegistered(const std::string& barCode) {
  RaiseError("条形码'" + barCode + "'不存在，或者没有对它的访问权限.");
}

ApiResponse ApiEndpoints::ListRules(ApiCall& call) {
  auto lease = Root(call);
  auto manager = lease.system().GetRuleManager();
  const auto list = manager->ListRules();
  nlohmann::json rules = nlohmann::json::array();
  for (const auto& rule : *list) {
    auto loaded = manager->LoadRule(rule->ruleId());
    rules.push_back(RecordJson::Rule(loaded ? *loaded : *rule));
  }
  return Json(200, {{"rules", rules}});
}

ApiResponse ApiEndpoints::ShowRule(ApiCall& call) {
  const std::string& id = call.request.captures.at(0);
  auto lease = Root(call);
  return Json(200, RecordJson::Rule(*RuleNamed(*lease.system().GetRuleManager(), id)));
}

ApiResponse ApiEndpoints::ShowBarCode(ApiCall& call) {
  const std::string& code = call.request.captures.at(0);
  auto lease = Root(call);
  clsScanService scans(lease.system().context());
  const auto answer = scans.Identify(code);
  if (!answer.registered() || !answer.record) NotRegistered(code);
  return Json(200, RecordJson::BarCodeSet(*answer.record));
}

ApiResponse ApiEndpoints::Scan(ApiCall& call) {
  const std::string type = call.request.ContentType();
  if (type == "image/png" || type == "image/jpeg") return ScanPicture(call);
  std::string text, ruleId;
  bool gs1 = false;
  Reading(call, [&] {
    RequireJson(call.request);
    RequestBody body(call.request.body);
    text = body.Text("text");
    ruleId = body.OptionalText("ruleId").value_or("");
    gs1 = body.Flag("gs1", false);
  });
  auto lease = Root(call);
  clsScanService scans(lease.system().context());
  const auto answer = scans.Identify(text, ruleId, gs1);
  // A code this registry does not hold for the user, and no rule named to decode it by.
  if (!answer.invInfo) NotRegistered(text);
  return Json(200, RecordJson::ScanAnswer(answer));
}

ApiResponse ApiEndpoints::ScanPicture(ApiCall& call) {
  const bool png = call.request.ContentType() == "image/png";
  auto lease = Root(call);
  clsScanService scans(lease.system().context());
  auto answers = scans.IdentifyPicture(call.request.body, png ? "scan.png" : "scan.jpg", call.request.Query("ruleId"));
  nlohmann::json symbols = nlohmann::json::array();
  for (auto& answer : answers) {
    if (answer.ok() && !answer.invInfo) answer.error = "条形码'" + answer.scanned + "'不存在，或者没有对它的访问权限.";
    symbols.push_back(RecordJson::ScanAnswer(answer));
  }
  return Json(200, {{"symbols", symbols}});
}

ApiResponse ApiEndpoints::Verify(ApiCall& call) {
  std::string text;
  bool gs1 = false;
  std::shared_ptr<clsInventoryInfo> document;
  Reading(call, [&] {
    RequireJson(call.request);
    RequestBody body(call.request.body);
    text = body.Text("text");
    gs1 = body.Flag("gs1", false);
    document = body.Object("document").Inventory();
  });
  auto lease = Root(call);
  clsScanService scans(lease.system().context());
  call.operation = ApiOperation::Identify;
  const auto answer = scans.Identify(text, "", gs1);
  call.operation = ApiOperation::Verify;
  scans.Verify(answer, *document);
  const std::string item = document->inventoryId().empty() ? clsScanService::ItemOf(answer) : document->inventoryId();
  nlohmann::json warnings = nlohmann::json::array();
  for (const auto& w : answer.warnings()) warnings.push_back({{"kind", w.kind}, {"message", w.message}});
  return Json(200, {{"verified", true},
                    {"kind", RecordJson::ScanAnswer(answer)["kind"]},
                    {"barCode", answer.barCode},
                    {"inventoryId", item},
                    {"warnings", warnings}});
}

ApiResponse ApiEndpoints::Register(ApiCall& call) {
  std::shared_ptr<clsInventoryInfo> info;
  std::optional<int> count;
  const std::string key = call.request.Header("idempotency-key");
  Reading(call, [&] {
    RequireJson(call.request);
    RequestBody body(call.request.body);
    body.Text("inventoryId");
    count = body.OptionalInteger("count", 1, kMaxBulkCount);
    info = body.Without("count").Inventory();
    IdempotencyStore::CheckKey(key);
  });
  if (key.empty()) return RegisterOnce(call, info, count);
  // The same request sent again may differ in spacing or the order of its fields, not in content.
  const std::string digest = TokenDigest::Sha256Hex(nlohmann::json::parse(call.request.body).dump());
  if (auto first = keys_.Claim(call.user, key, digest)) return *first;
  try {
    auto answer = RegisterOnce(call, info, count);
    keys_.Finish(call.user, key, answer);
    return answer;
  } catch (...) {
    keys_.Release(call.user, key);
    throw;
  }
}

ApiResponse ApiEndpoints::RegisterOnce(ApiCall& call, const std::shared_ptr<clsInventoryInfo>& info,
                                       std::optional<int> count) {
  auto lease = Root(call);
  auto barCodes = lease.system().GetBarCodeManager();
  const auto [assign, rule] = AssignedRule(*lease.system().GetRuleManager(), info->inventoryId());
  barCodes->DescribeInventory(*info);
  auto barCode = barCodes->EncodeBarCode(info, rule);
  if (!count) return Json(201, RecordJson::BarCodeSet(*barCodes->CreateBarCode(info, barCode, assign)));
  const auto sets = barCodes->CreateBarCodes(info, barCode, assign, *count);
  nlohmann::json items = nlohmann::json::array();
  for (const auto& set : *sets) items.push_back(RecordJson::BarCodeSet(*set));
  return Json(201, {{"items", items}});
}

std::shared_ptr<clsBarCodeRule> ApiEndpoints::RuleNamed(clsRuleManager& rules, const std::string& id) {
  auto rule = rules.LoadRule(id);
  if (!rule) RaiseError("条码规则'" + id + "'不存在");
  return rule;
}

std::pair<std::shared_ptr<clsRuleAssign>, std::shared_ptr<clsBarCodeRule>> ApiEndpoints::AssignedRule(
    clsRuleManager& rules, const std::string& item) {
  auto assign = rules.FindAssignByInventory(item);
  if (!assign) RaiseError("存货'" + item + "'及其上级存货分类都没有分配条码规则");
  return {assign, RuleNamed(rules, assign->ruleId())};
}

ApiResponse ApiEndpoints::Encode(ApiCall& call) {
  std::shared_ptr<clsInventoryInfo> info;
  Reading(call, [&] {
    RequireJson(call.request);
    RequestBody body(call.request.body);
    body.Text("inventoryId");
    info = body.Inventory();
  });
  auto lease = Root(call);
  auto barCodes = lease.system().GetBarCodeManager();
  const std::string& item = info->inventoryId();
  // Registration checks the item's rights itself; a preview must not show another item's code.
  if (!barCodes->CanSeeInventory(item)) RaiseError("存货'" + item + "'不存在，或者不在您的数据权限之内");
  const auto [assign, rule] = AssignedRule(*lease.system().GetRuleManager(), item);
  barCodes->DescribeInventory(*info);
  const auto barCode = barCodes->EncodeBarCode(info, rule);
  return Json(200, RecordJson::Encoding(*barCode, assign->assignId()));
}

ApiResponse ApiEndpoints::Labels(ApiCall& call) {
  std::vector<std::string> codes;
  LabelFormat format = LabelFormat::Png;
  std::optional<LabelSize> size;
  Reading(call, [&] {
    RequireJson(call.request);
    RequestBody body(call.request.body);
    codes = body.TextList("barCodes", kMaxLabels);
    format = LabelFormatNamed(body.OptionalText("format").value_or("png"));
    const int dpi = body.OptionalInteger("dpi", 203, 300).value_or(203);
    if (dpi != 203 && dpi != 300) RaiseError("字段'dpi'应为203或300");
    size = LabelSize::Parse(body.OptionalText("size").value_or("50x30mm"), dpi);
  });
  auto lease = Root(call);
  auto barCodes = lease.system().GetBarCodeManager();
  auto rules = lease.system().GetRuleManager();
  const auto types = rules->ListBarCodeTypes();
  std::vector<Label> labels;
  for (const auto& code : codes) {
    auto set = barCodes->LoadInventoryBarCodeSet(code, true);
    if (!set) NotRegistered(code);
    auto rule = RuleNamed(*rules, set->ruleId());
    labels.emplace_back(set->barCode(), Symbology::ForRule(*rule, *types),
                        set->invInfo() ? set->invInfo()->inventoryName() : "");
  }
  ApiResponse answer;
  answer.contentType = MediaType(format);
  answer.bytes = LabelWriter::For(format, *size)->Write(labels);
  return answer;
}

ApiResponse ApiEndpoints::SetAbandoned(ApiCall& call, bool abandon) {
  const std::string& code = call.request.captures.at(0);
  auto lease = Root(call);
  auto barCodes = lease.system().GetBarCodeManager();
  if (abandon) {
    barCodes->AbandonBarCode(code);
  } else {
    barCodes->ReuseBarCode(code);
  }
  auto set = barCodes->LoadInventoryBarCodeSet(code, true);
  if (!set) NotRegistered(code);
  return Json(200, RecordJson::BarCodeSet(*set));
}

ApiResponse ApiEndpoints::Remove(ApiCall& call) {
  const std::string& code = call.request.captures.at(0);
  auto lease = Root(call);
  lease.system().GetBarCodeManager()->RemoveBarCode(code);
  return Json(200, {{"barCode", code}, {"removed", true}});
}

ApiResponse ApiEndpoints::InUse(ApiCall& call) {
  const std::string& code = call.request.captures.at(0);
  auto lease = Root(call);
  const bool inUse = lease.system().GetBarCodeManager()->IsInUse(code);
  return Json(200, {{"barCode", code}, {"inUse", inUse}});
}

ApiResponse ApiEndpoints::ListBarCodes(ApiCall& call) {
  std::unique_ptr<RegistryPage> page;
  Reading(call, [&] { page = std::make_unique<RegistryPage>(call.request); });
  auto lease = Root(call);
  lease.system().GetBarCodeManager()->ForEachInventoryBarCodeSet(
      page->Condition(), page->Values(), [&](const std::shared_ptr<clsInventoryBarCodeSet>& set) {
        page->Offer(set);
        return true;
      });
  return Json(200, page->Answer());
}

}  // namespace quillstone::service
