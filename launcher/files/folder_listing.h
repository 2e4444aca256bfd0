// Listing one folder's entries, in the file system's own order ("." and ".." included).
#pragma once

#include <optional>
#include <string>
#include <vector>

// None when the path is empty or is not a folder that can be listed.
std::optional<std::vector<std::string>> listFolder(const std::string& folder);
