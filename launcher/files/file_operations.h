// The file operations every launcher stage uses: existence and access tests, folder copy and
// deletion, and the rename that retries and falls back to copying.
#pragma once

#include <cstdio>
#include <string>

// True when the path opens for reading in byte mode (a folder never does).
bool fileExists(const std::string& path);

// The runtime's access check for reading and writing.
bool canReadAndWrite(const std::string& path);

// Copies folder source into target recursively; 0 on success. Links inside source are not followed.
int CopyFolder(const std::string& source, const std::string& target);

// Copies the rest of an open source into a new target file and closes both (the source stays open
// when the target cannot be created).
void copyFile(const std::string& target, std::FILE* source);

// Deletes the contents of folder recursively (the folder itself stays); 0 when it could be listed.
// A linked entry is removed as a link: what it points to is never touched.
int DeleteFolder(const std::string& folder);

// Puts source in target's place: rename, then up to ten moves and renames, then a copy.
void renameFolder(const std::string& target, const std::string& source);
