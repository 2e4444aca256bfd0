#include <sys/stat.h>

#include "files/file_open.h"
#include "files/folder_create.h"

bool createFolderIfMissing(const std::string& folder) {
  const std::string path = systemPath(folder);
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  return mkdir(path.c_str(), 0777) == 0;
}
