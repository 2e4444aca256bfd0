// A fresh, empty folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder in the launcher's own path form (backslashes on Windows).
  std::string launcherPath() const;
  std::string launcherPath(const std::string& child) const;

private:
  std::filesystem::path path_;
};

std::string readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::string& bytes);
