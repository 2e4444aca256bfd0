#include <windows.h>

#include <string>

#include "archive/destination_clear.h"
#include "locations/path_join.h"

namespace {

bool removeInside(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(joinPath(folder, "*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = joinPath(folder, name);
    const DWORD attributes = found.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A junction or directory link is removed as the link; only real folders are entered.
      if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) ok = removeInside(path) && ok;
      ok = RemoveDirectoryA(path.c_str()) != 0 && ok;
    } else {
      ok = DeleteFileA(path.c_str()) != 0 && ok;
    }
  } while (FindNextFileA(listing, &found));
  FindClose(listing);
  return ok;
}

} // namespace

bool removeDestinationContents(const std::string& folder) { return removeInside(folder); }
