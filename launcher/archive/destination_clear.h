// Emptying a destination folder after a refused archive.
// (Local to the archive reader until the shared folder deletion is merged: it must not follow
// links, so a link inside the destination is removed as a link, never entered.)
#pragma once

#include <string>

// Removes everything inside folder and keeps the folder itself. Symbolic links and junctions are
// removed without touching what they point to. False when something could not be removed.
bool removeDestinationContents(const std::string& folder);
