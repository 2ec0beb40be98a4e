// GS1 data as the program meets it: typed on the command line (with <GS> for the group
// separator), shown as a table of AIs or as JSON, and a supplier's label as received.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/TablePrinter.h"
#include "quillstone/barcodes/clsGs1Receiver.h"

namespace quillstone {
class clsInventoryInfo;
class Gs1ElementString;
class Gs1Quantity;
}  // namespace quillstone

namespace quillstone::cli {

class Session;

class Gs1Input {
 public:
  // The exit code of a label received with warnings (expired, past best-before, stopped item).
  static constexpr int kWarningExit = 3;

  // "<GS>" typed for the group separator becomes the separator.
  static std::string FromCommandLine(const std::string& text);
  // The separator shown as <GS>, for a terminal.
  static std::string Visible(const std::string& text);

  // AI, title and value of every field; a count or measure as its number and unit.
  static TablePrinter ElementTable(const Gs1ElementString& elements);
  static nlohmann::json ElementsJson(const Gs1ElementString& elements);
  // Number, unit and the label's digits.
  static nlohmann::json QuantityJson(const Gs1Quantity& quantity);


  // Receives the label and prints the item's properties and every AI (or their --json); the exit code.
  static int PrintReceipt(Session& session, const clsGs1Receiver::Receipt& receipt);
  // Prints the receipt's warnings (on stderr, unless the answer is JSON, which holds them); the
  // exit code: kWarningExit when there are any, else 0.
  static int WarningExit(const clsGs1Receiver::Receipt& receipt, bool json);
  // Kind and message of each warning.
  static nlohmann::json WarningsJson(const std::vector<clsGs1Receiver::Warning>& warnings);
  // The --json form of a receipt.
  static nlohmann::json ReceiptJson(const clsGs1Receiver::Receipt& receipt);
};

}  // namespace quillstone::cli
