// The program's connection to the library for one run: the global options, and the service root
// started on a host login for that database, user and login date on first use.
#pragma once

#include <memory>
#include <string>

namespace quillstone {
class clsBarCodeManager;
class clsBarCodeSystem;
class clsItemSourceManager;
class clsRuleManager;
class Connection;
class clsContext;
}  // namespace quillstone

namespace quillstone::cli {

struct GlobalOptions {
  std::string db = "sqlite:quillstone.db";
  // --db was on the command line (the demo otherwise makes a database of its own).
  bool dbGiven = false;
  std::string user = "admin";
  // yyyy-mm-dd; empty means today.
  std::string loginDate;
  bool json = false;
};

class Session {
 public:
  explicit Session(GlobalOptions options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const GlobalOptions& options() const { return options_; }
  bool json() const { return options_.json; }
  // The database as it may be shown: a password in the connection string is masked.
  std::string DbLabel() const;
  // Replaces the database before the system is started (the demo works on its own one).
  void setDb(const std::string& db) { options_.db = db; }

  // Opens a connection of its own on the database, for work outside the library's managers
  // (creating the tables). With `mustExist`, a missing SQLite file is refused instead of created.
  std::shared_ptr<Connection> OpenConnection(bool mustExist) const;

  clsRuleManager& Rules();
  clsBarCodeManager& BarCodes();
  clsItemSourceManager& Sources();
  // The library's connection of the running system.
  Connection& Conn();
  // The running system's wiring, for library classes built from it (GS1 receiving).
  std::shared_ptr<clsContext> Context();
  // The login's business date as yyyy-mm-dd.
  std::string LoginDateText();

  // Ends the library's session; a later call to a manager starts a new one.
  void Stop();

 private:
  clsBarCodeSystem& System();
  // Refuses an SQLite file that does not exist (opening it would create an empty one).
  void RequireDatabase() const;

  GlobalOptions options_;
  std::shared_ptr<clsBarCodeSystem> system_;
};

}  // namespace quillstone::cli
