#include "src/quillstone/service/OpenApiDocument.h"

#include "quillstone/platform/Version.h"
#include "src/quillstone/service/ApiEndpoints.h"

namespace quillstone::service {
namespace {

nlohmann::json ErrorAnswer(const char* description) {
  return {{"description", description},
          {"content", {{"application/json", {{"schema", {{"$ref", "#/components/schemas/Error"}}}}}}}};
}

nlohmann::json PathParameters(const std::string& path) {
  nlohmann::json parameters = nlohmann::json::array();
  for (auto open = path.find('{'); open != std::string::npos; open = path.find('{', open + 1)) {
    const auto close = path.find('}', open);
    parameters.push_back({{"name", path.substr(open + 1, close - open - 1)},
                          {"in", "path"},
                          {"required", true},
                          {"schema", {{"type", "string"}}}});
  }
  return parameters;
}

}  // namespace

nlohmann::json OpenApiDocument::Operation(const ApiRoute& route) {
  nlohmann::json op = route.doc;
  auto parameters = PathParameters(route.path);
  if (!parameters.empty()) {
    if (op.contains("parameters")) parameters.insert(parameters.end(), op["parameters"].begin(), op["parameters"].end());
    op["parameters"] = parameters;
  }
  if (!route.needsToken) {
    op["security"] = nlohmann::json::array();
    return op;
  }
  auto& responses = op["responses"];
  responses["400"] = ErrorAnswer("The request is malformed; the message names the field");
  responses["401"] = ErrorAnswer("No token, or one that is unknown, expired or revoked");
  responses["403"] = ErrorAnswer("The user lacks the function right");
  responses["404"] = ErrorAnswer("Not found, or outside the user's data rights");
  responses["413"] = ErrorAnswer("The request body is too large");
  responses["422"] = ErrorAnswer("A check of the library failed");
  return op;
}

nlohmann::json OpenApiDocument::Components() {
  const nlohmann::json text = {{"type", "string"}};
  nlohmann::json inventory = {{"type", "object"}, {"properties", nlohmann::json::object()}};
  for (const char* name : {"inventoryId", "warehouseId", "invPositionId", "batchNo", "madeDate", "disableDate",
                           "vendorId", "unit"})
    inventory["properties"][name] = text;
  inventory["properties"]["massDay"] = {{"type", "integer"}};
  inventory["properties"]["unitCost"] = {{"type", "number"}};
  inventory["patternProperties"] = {{"^free([1-9]|10)$", text}};
  inventory["additionalProperties"] = false;
  nlohmann::json registration = inventory;
  registration["required"] = {"inventoryId"};
  registration["properties"]["count"] = {{"type", "integer"}, {"minimum", 1}, {"maximum", ApiEndpoints::kMaxBulkCount}};
  return {{"securitySchemes", {{"bearer", {{"type", "http"}, {"scheme", "bearer"}}}}},
          {"schemas",
           {{"Inventory", inventory},
            {"Registration", registration},
            {"Labels",
             {{"type", "object"},
              {"required", {"barCodes"}},
              {"properties",
               {{"barCodes",
                 {{"type", "array"}, {"items", text}, {"minItems", 1}, {"maxItems", ApiEndpoints::kMaxLabels}}},
                {"format", {{"enum", {"png", "svg", "pdf", "zpl"}}}},
                {"size", text},
                {"dpi", {{"enum", {203, 300}}}}}}}},
            {"Scan",
             {{"type", "object"},
              {"required", {"text"}},
              {"properties", {{"text", text}, {"ruleId", text}, {"gs1", {{"type", "boolean"}}}}}}},
            {"Verification",
             {{"type", "object"},
              {"required", {"text"}},
              {"properties",
               {{"text", text},
                {"gs1", {{"type", "boolean"}}},
                {"document", {{"$ref", "#/components/schemas/Inventory"}}}}}}},
            {"Error",
             {{"type", "object"},
              {"required", {"error"}},
              {"properties",
               {{"error",
                 {{"type", "object"},
                  {"required", {"number", "source", "description"}},
                  {"properties",
                   {{"number", {{"type", "integer"}}},
                    {"source", {{"type", "string"}}},
                    {"description", {{"type", "string"}}}}}}}}}}}}}};
}

nlohmann::json OpenApiDocument::Build(const std::vector<ApiRoute>& routes) {
  nlohmann::json paths = nlohmann::json::object();
  for (const auto& route : routes) {
    std::string method = route.method;
    for (char& c : method) c = static_cast<char>(c - 'A' + 'a');
    paths[route.path][method] = Operation(route);
  }
  return {{"openapi", "3.1.0"},
          {"info", {{"title", "Quillstone"}, {"version", Version()}}},
          {"security", {{{"bearer", nlohmann::json::array()}}}},
          {"paths", paths},
          {"components", Components()}};
}

}  // namespace quillstone::service
