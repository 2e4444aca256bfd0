#include <windows.h>

#include "files/folder_create.h"

bool createFolderIfMissing(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return CreateDirectoryA(folder.c_str(), nullptr) != 0;
}
