#include "locations/versioned_folders.h"

#include <ctime>

#include "bundle/text_fields.h"
#include "files/folder_listing.h"
#include "locations/path_join.h"
#include "log/launcher_log.h"

namespace {

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string versionedFolderName(const std::string& masterFolder, const std::string& name, const std::string& version) {
  return joinPath(masterFolder, "Ommel-" + name + "-" + version + "-complete");
}

std::string temporaryFolderName(const std::string& masterFolder, int64_t epochSeconds) {
  const auto entries = listFolder(masterFolder);
  const size_t count = entries ? entries->size() : 0;
  return joinPath(masterFolder, "OmmelTemp-" + std::to_string(epochSeconds) + "-" + std::to_string(count) + "-app");
}

std::string temporaryFolderName(const std::string& masterFolder) {
  return temporaryFolderName(masterFolder, static_cast<int64_t>(std::time(nullptr)));
}

int32_t folderVersion(const std::string& bareName) {
  const size_t first = bareName.find('-');
  const size_t second = first == std::string::npos ? first : bareName.find('-', first + 1);
  const size_t third = second == std::string::npos ? second : bareName.find('-', second + 1);
  if (third == std::string::npos) return -1;
  return atolRule(bareName.substr(second + 1, third - second - 1).c_str());
}

std::optional<std::string> PickFolder(const std::string& masterFolder, const std::string& name) {
  const auto entries = listFolder(masterFolder);
  if (!entries || entries->empty()) return std::nullopt;
  long bestVersion = -1;
  std::optional<std::string> best;
  for (const std::string& entry : *entries) {
    if (entry.size() <= 2 || endsWith(entry, ".plugin")) continue;
    const size_t first = entry.find('-');
    const size_t second = first == std::string::npos ? first : entry.find('-', first + 1);
    if (second == std::string::npos || entry.compare(first + 1, second - first - 1, name) != 0 ||
        second - first - 1 != name.size()) {
      continue;
    }
    const long version = folderVersion(entry);
    logMessage("[PickFolder] Folder %s matches %s with version %ld\n", entry.c_str(), name.c_str(), version);
    if (version > bestVersion) {
      best = entry;
      logMessage("[PickFolder] Set latest to %ld %s\n", version, entry.c_str());
      bestVersion = version;
    }
  }
  if (bestVersion == -1) return std::nullopt;
  return best;
}
