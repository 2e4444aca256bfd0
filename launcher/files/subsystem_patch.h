// Marking an executable as a program of the windowed subsystem, in place.
#pragma once

#include <string>

// Finds the PE header through the DOS header's pointer, checks its signature and writes 2 (windowed)
// into the low byte of the subsystem field. A file that cannot be opened or has no valid header ends
// the process with exit code 1.
void patchWindowsSubsystem(const std::string& path);
