// The folder the demo works in: made fresh on every run. A folder an earlier demo made is cleared
// of what that demo wrote; any other folder that is not empty is refused, so no user file is lost.
#pragma once

#include <filesystem>
#include <string>

namespace quillstone::cli {

class DemoWorkspace {
 public:
  explicit DemoWorkspace(const std::string& dir);

  // Creates or clears the folder; refuses a foreign folder with content.
  void Prepare();

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path labels() const { return dir_ / "labels"; }
  // The SQLite database the demo makes when no --db is given.
  std::string sqliteConnection() const;

 private:
  std::filesystem::path dir_;
};

}  // namespace quillstone::cli
