// The shared folder that holds every application's master folder, chosen by the install type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "locations/location_system.h"

// None when the variable it needs does not exist.
std::optional<std::string> resolveSharedFolder(const std::string& installType, const LocationSystem& system);

// As above; ends the process with exit code 1 when no shared folder can be determined.
std::string sharedFolderOrEnd(const std::string& installType, const LocationSystem& system);

// 32-bit FNV-1a over the bytes, logging each step.
uint32_t fnv1aLogged(const std::string& bytes);

// ALLUSERSPROFILE \ "KXUser-" hash "-" name with bytes of 0x80 and above as "_"; none without the
// variable.
std::optional<std::string> fallbackSharedFolder(const LocationSystem& system);
