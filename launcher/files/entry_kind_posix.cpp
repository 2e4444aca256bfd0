#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "files/entry_kind.h"
#include "files/file_open.h"

bool isLinkEntry(const std::string& path) {
  struct stat info {};
  return lstat(systemPath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool removeFolderEntry(const std::string& path) {
  const std::string p = systemPath(path);
  return isLinkEntry(path) ? unlink(p.c_str()) == 0 : rmdir(p.c_str()) == 0;
}

// Like MoveFileEx, a folder is never moved onto an existing folder.
bool moveReplacing(const std::string& source, const std::string& target) {
  struct stat info {};
  if (stat(systemPath(target).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
  return std::rename(systemPath(source).c_str(), systemPath(target).c_str()) == 0;
}

void sleepMilliseconds(unsigned milliseconds) { usleep(milliseconds * 1000u); }
