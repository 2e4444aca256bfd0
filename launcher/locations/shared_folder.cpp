#include "locations/shared_folder.h"

#include <cstdio>

#include "locations/path_join.h"
#include "log/launcher_log.h"
#include "startup/process_exit.h"

namespace {

bool isAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::optional<std::string> localAppData(const LocationSystem& system) {
  std::optional<std::string> appData = system.environment("APPDATA");
  if (appData && appData->size() > 2 && (*appData)[0] == '\\' && (*appData)[1] == '\\') {
    logMessage("[Extractor] Roaming AppData directory detected\n");
    const std::optional<int> major = system.osMajorVersion();
    if (major && *major > 5) {
      appData = system.environment("LOCALAPPDATA");
      logMessage("[Extractor] Local AppData directory resolved to %s\n", appData ? appData->c_str() : "(null)");
    } else if (major) {
      const std::optional<std::string> profile = system.environment("USERPROFILE");
      appData = profile ? std::optional<std::string>(joinPaths({*profile, "Local Settings", "Application Data"}))
                        : std::nullopt;
    }
  } else {
    logMessage("[Extractor] Local AppData directory detected\n");
  }
  return appData;
}

std::optional<std::string> perUserFolder(const LocationSystem& system) {
  const std::optional<std::string> folder = localAppData(system);
  logMessage("Validating directory...\n");
  logMessage("Shared dir detected is %s\n", folder ? folder->c_str() : "(null)");
  if (!folder) return fallbackSharedFolder(system);
  logMessage("Checking if %s exists\n", folder->c_str());
  bool valid = system.canReadAndWrite(*folder);
  if (valid) {
    logMessage("Checking if string is cAscii %s\n", folder->c_str());
    valid = isAscii(*folder);
  }
  if (valid) {
    logMessage("Checking if %s contains a !\n", folder->c_str());
    valid = folder->find('!') == std::string::npos;
  }
  if (valid) {
    logMessage("Shared directory appears valid.\n");
    return folder;
  }
  logMessage("The directory %s appears invalid.\n", folder->c_str());
  logMessage("Trying the short path instead.\n");
  if (const std::optional<std::string> shortForm = system.shortPath(*folder)) {
    logMessage("Got short path of %s\n", shortForm->c_str());
    logMessage("Checking if %s exists\n", folder->c_str());
    if (system.canReadAndWrite(*folder)) return shortForm;
  }
  return fallbackSharedFolder(system);
}

} // namespace

uint32_t fnv1aLogged(const std::string& bytes) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < bytes.size(); ++i) {
    hash ^= static_cast<unsigned char>(bytes[i]);
    hash *= 16777619u;
    logMessage("[%d] %d %d\n", static_cast<int>(i), static_cast<int>(static_cast<signed char>(bytes[i])),
               static_cast<int32_t>(hash));
  }
  return hash;
}

std::optional<std::string> fallbackSharedFolder(const LocationSystem& system) {
  const std::optional<std::string> allUsers = system.environment("ALLUSERSPROFILE");
  std::string user = system.userName();
  const int32_t signedHash = static_cast<int32_t>(fnv1aLogged(user));
  // The magnitude of the signed value; INT32_MIN has none and keeps its digits.
  const int64_t magnitude = signedHash < 0 ? -static_cast<int64_t>(signedHash) : signedHash;
  char hashText[100] = {0};
  std::snprintf(hashText, sizeof(hashText), "%d", static_cast<int32_t>(magnitude));
  for (char& c : user) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '_';
  }
  if (!allUsers) return std::nullopt;
  const std::string folder = joinPath(*allUsers, "KXUser-" + std::string(hashText) + "-" + user);
  system.createFolder(folder);
  return folder;
}

std::optional<std::string> resolveSharedFolder(const std::string& installType, const LocationSystem& system) {
  if (installType == "perm_all") {
    logMessage("Permanent install for all users\n");
    const std::optional<int> major = system.osMajorVersion();
    if (major && *major > 5) return system.environment("PROGRAMDATA");
    const std::optional<std::string> allUsers = system.environment("ALLUSERSPROFILE");
    if (!allUsers) return std::nullopt;
    const std::string folder = joinPath(*allUsers, "Application Data");
    system.createFolder(folder);
    return folder;
  }
  logMessage(installType == "perm_user" ? "Permanent install for current user\n" : "Temporary install\n");
  return perUserFolder(system);
}

std::string sharedFolderOrEnd(const std::string& installType, const LocationSystem& system) {
  const std::optional<std::string> folder = resolveSharedFolder(installType, system);
  if (!folder) {
    logMessage("ERROR: Unable to get shared dir!");
    endProcess(kExitFatal);
  }
  return *folder;
}
