// Versioned and temporary folder names inside a master folder, and choosing the newest version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// master \ "Ommel-" NAME "-" VERSION "-complete"
std::string versionedFolderName(const std::string& masterFolder, const std::string& name, const std::string& version);

// master \ "OmmelTemp-" TIME "-" COUNT "-app", COUNT being the entries the master folder lists now.
std::string temporaryFolderName(const std::string& masterFolder, int64_t epochSeconds);
std::string temporaryFolderName(const std::string& masterFolder); // at the current calendar time

// The text between the second and third "-" by the atol rule; -1 with fewer than three "-".
int32_t folderVersion(const std::string& bareName);

// The bare name of the newest versioned folder of name in the master folder (ties keep the first
// listed), or none.
std::optional<std::string> PickFolder(const std::string& masterFolder, const std::string& name);
