// Creating one folder level when it is missing.
#pragma once

#include <string>

// True when the folder exists afterwards (it was there, or it was created). Only the last level is
// created; a missing parent makes it fail.
bool createFolderIfMissing(const std::string& folder);
