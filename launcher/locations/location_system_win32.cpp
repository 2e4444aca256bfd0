#include <windows.h>

#include <cstdlib>
#include <io.h>

#include "files/folder_create.h"
#include "locations/location_system.h"

namespace {

std::optional<std::string> readEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::optional<int> readOsMajorVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return std::nullopt;
#pragma GCC diagnostic pop
  return static_cast<int>(info.dwMajorVersion);
}

std::optional<std::string> readShortPath(const std::string& path) {
  char shortForm[5000] = {0};
  const DWORD length = GetShortPathNameA(path.c_str(), shortForm, 1024);
  if (length == 0 || length >= 1024) return std::nullopt;
  return std::string(shortForm, length);
}

std::string readUserName() {
  char name[100] = {0};
  DWORD size = sizeof(name);
  return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

bool accessReadWrite(const std::string& path) { return _access(path.c_str(), 6) == 0; }

} // namespace

const LocationSystem& systemLocations() {
  static const LocationSystem system{readEnvironment, readOsMajorVersion, readShortPath,
                                     readUserName,    accessReadWrite,    createFolderIfMissing};
  return system;
}
