#include "demo/DemoWorkspace.h"

#include <fstream>

#include "cli/CliError.h"

namespace quillstone::cli {
namespace {

constexpr const char* kMarker = ".quillstone-demo";
constexpr const char* kDatabase = "demo.db";

}  // namespace

DemoWorkspace::DemoWorkspace(const std::string& dir) : dir_(std::filesystem::absolute(dir).lexically_normal()) {}

std::string DemoWorkspace::sqliteConnection() const { return "sqlite:" + (dir_ / kDatabase).string(); }

void DemoWorkspace::Prepare() {
  namespace fs = std::filesystem;
  if (fs::exists(dir_) && !fs::is_directory(dir_)) throw CliError("'" + dir_.string() + "'不是文件夹");
  if (fs::exists(dir_) && !fs::is_empty(dir_)) {
    if (!fs::exists(dir_ / kMarker))
      throw CliError("文件夹'" + dir_.string() + "'不是空的，也不是演示程序建立的；请用--dir另选一个");
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(dir_ / (std::string(kDatabase) + suffix));
    fs::remove_all(labels());
  }
  fs::create_directories(labels());
  std::ofstream(dir_ / kMarker)
      << "Made by `quillstone demo`; the next demo run in this folder replaces its content.\n";
}

}  // namespace quillstone::cli
