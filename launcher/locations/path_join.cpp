#include "locations/path_join.h"

#include <algorithm>

std::string slashesToBackslashes(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

std::string joinPath(const std::string& path, const std::string& part) {
  std::string joined = slashesToBackslashes(path);
  if (joined.empty() || joined.back() != '\\') joined += '\\';
  joined += slashesToBackslashes(part);
  return joined;
}

std::string joinPaths(std::initializer_list<std::string> parts) {
  std::string joined;
  bool first = true;
  for (const std::string& part : parts) {
    joined = first ? slashesToBackslashes(part) : joinPath(joined, part);
    first = false;
  }
  return joined;
}
