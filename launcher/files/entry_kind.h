// The few file-system facts and actions the file operations need beyond the C runtime.
#pragma once

#include <string>

// True for a junction, symbolic link or other reparse point: a folder operation never goes through
// one, so it cannot reach what lies outside the folder it was given.
bool isLinkEntry(const std::string& path);

// Removes an empty folder, or a link itself without touching its target. True on success.
bool removeFolderEntry(const std::string& path);

// MoveFileEx with replace-existing and copy-allowed; on failure the system error stays readable.
bool moveReplacing(const std::string& source, const std::string& target);

void sleepMilliseconds(unsigned milliseconds);
