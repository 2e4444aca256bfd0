// What the shared-folder resolution asks of the system, as a record so that tests can stand in.
#pragma once

#include <optional>
#include <string>

struct LocationSystem {
  std::optional<std::string> (*environment)(const char* name);
  std::optional<int> (*osMajorVersion)();                           // none when it cannot be read
  std::optional<std::string> (*shortPath)(const std::string& path); // the 8.3 form
  std::string (*userName)();                                        // the logon name
  bool (*canReadAndWrite)(const std::string& path);                 // access check, mode 6
  bool (*createFolder)(const std::string& path);
};

// The real system of this build.
const LocationSystem& systemLocations();
