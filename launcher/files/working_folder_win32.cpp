#include <windows.h>

#include "files/working_folder.h"

std::string currentWorkingFolder() {
  char folder[1024] = {0};
  const DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
  return length > 0 && length < sizeof(folder) ? std::string(folder, length) : std::string();
}
