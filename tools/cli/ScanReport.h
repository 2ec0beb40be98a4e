// How the program shows the scanning service's answers: a line, the decoded or received
// properties and the GS1 fields for a person, or one JSON object for a script.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "quillstone/scanning/clsScanService.h"

namespace quillstone::cli {

class ScanReport {
 public:
  // What a picture's symbol became, with the outcome of verifying it when that was asked.
  struct Line {
    clsScanService::Answer answer;
    bool verifyAsked = false;
    bool verified = false;
  };

  // The refusal of a code neither registered nor named a rule to decode it by.
  static std::string NotRegistered(const std::string& barCode);
  // An answer that is neither registered nor decoded by a named rule gets NotRegistered as its error.
  static void RequireDecoded(clsScanService::Answer& answer);
  static nlohmann::json Json(const Line& line);
  // The answer for a person; failures and warnings go to `errors`.
  static void Print(const Line& line, std::ostream& out, std::ostream& errors);
};

}  // namespace quillstone::cli
