// The process's current working folder.
#pragma once

#include <string>

// Read into a 1024-byte buffer, as the launcher always has; empty when it does not fit.
std::string currentWorkingFolder();
