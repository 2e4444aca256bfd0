#include <unistd.h>

#include <cstdlib>

#include "files/file_open.h"
#include "files/folder_create.h"
#include "locations/location_system.h"

namespace {

std::optional<std::string> readEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::optional<int> noOsVersion() { return std::nullopt; }
std::optional<std::string> noShortPath(const std::string&) { return std::nullopt; }

std::string readUserName() {
  const char* user = std::getenv("USER");
  return user ? user : "";
}

bool accessReadWrite(const std::string& path) { return access(systemPath(path).c_str(), R_OK | W_OK) == 0; }

} // namespace

const LocationSystem& systemLocations() {
  static const LocationSystem system{readEnvironment, noOsVersion,     noShortPath,
                                     readUserName,    accessReadWrite, createFolderIfMissing};
  return system;
}
