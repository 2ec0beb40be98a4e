// One HTTP request as the endpoints see it: no server library type reaches them.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quillstone::service {

struct ApiRequest {
  std::string method;
  std::string path;
  // The path's captures, in the order of the route's pattern (already URL-decoded).
  std::vector<std::string> captures;
  // Lower-case header names.
  std::map<std::string, std::string> headers;
  std::map<std::string, std::string> query;
  std::string body;

  std::string Header(const std::string& lowerName) const {
    auto found = headers.find(lowerName);
    return found == headers.end() ? std::string() : found->second;
  }
  std::string Query(const std::string& name) const {
    auto found = query.find(name);
    return found == query.end() ? std::string() : found->second;
  }
  // The media type without its parameters ("application/json; charset=utf-8" -> "application/json").
  std::string ContentType() const {
    std::string type = Header("content-type");
    type = type.substr(0, type.find(';'));
    while (!type.empty() && type.back() == ' ') type.pop_back();
    for (char& c : type) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return type;
  }
};

}  // namespace quillstone::service
