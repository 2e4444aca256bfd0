#include <io.h>

#include "files/folder_listing.h"

std::optional<std::vector<std::string>> listFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  const char last = folder.back();
  const std::string pattern = folder + (last == '/' || last == '\\' ? "*" : "/*");
  _finddata_t entry{};
  const intptr_t search = _findfirst(pattern.c_str(), &entry);
  if (search == -1) return std::nullopt;
  std::vector<std::string> names;
  do {
    names.emplace_back(entry.name);
  } while (_findnext(search, &entry) == 0);
  _findclose(search);
  return names;
}
