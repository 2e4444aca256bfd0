#include "files/file_open.h"

#include <algorithm>
#include <cerrno>

std::string systemPath(const std::string& path) {
#if defined(_WIN32)
  return path;
#else
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return converted;
#endif
}

std::FILE* openFile(const std::string& path, const char* mode, int* error) {
  errno = 0;
  std::FILE* file = std::fopen(systemPath(path).c_str(), mode);
  if (error) *error = file ? 0 : (errno ? errno : -1);
  return file;
}
