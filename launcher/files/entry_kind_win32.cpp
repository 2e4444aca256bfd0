#include <windows.h>

#include "files/entry_kind.h"

bool isLinkEntry(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool removeFolderEntry(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool moveReplacing(const std::string& source, const std::string& target) {
  return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

void sleepMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }
