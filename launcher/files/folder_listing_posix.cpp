#include <dirent.h>

#include "files/file_open.h"
#include "files/folder_listing.h"

std::optional<std::vector<std::string>> listFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  DIR* dir = opendir(systemPath(folder).c_str());
  if (!dir) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
  closedir(dir);
  return names;
}
