#include "temp_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "locations/path_join.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::ostringstream name;
  name << "kxtest-" << stamp << "-" << counter++;
  path_ = fs::temp_directory_path() / name.str();
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::launcherPath() const {
#if defined(_WIN32)
  return slashesToBackslashes(path_.string());
#else
  return path_.string();
#endif
}

std::string TempFolder::launcherPath(const std::string& child) const { return joinPath(launcherPath(), child); }

std::string readWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeWholeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}
