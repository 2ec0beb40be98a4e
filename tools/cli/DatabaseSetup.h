// Makes the library's tables in a database that has none yet, optionally with the demo data set.
#pragma once

namespace quillstone {
class Connection;
}

namespace quillstone::cli {

class DatabaseSetup {
 public:
  // A database that already holds the barcode tables is refused before anything is written.
  static void Create(Connection& conn, bool demo);
};

}  // namespace quillstone::cli
