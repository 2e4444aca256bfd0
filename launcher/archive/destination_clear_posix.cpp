#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "archive/destination_clear.h"
#include "files/file_open.h"

namespace {

bool removeInside(const std::string& folder) {
  DIR* listing = opendir(folder.c_str());
  if (!listing) return false;
  bool ok = true;
  while (dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "/" + name;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
      ok = false;
      continue;
    }
    // lstat: a link is a link here, whatever it points to.
    if (S_ISDIR(info.st_mode)) {
      ok = removeInside(path) && ok;
      ok = rmdir(path.c_str()) == 0 && ok;
    } else {
      ok = unlink(path.c_str()) == 0 && ok;
    }
  }
  closedir(listing);
  return ok;
}

} // namespace

bool removeDestinationContents(const std::string& folder) { return removeInside(systemPath(folder)); }
