#include "archive/entry_name.h"

#include <algorithm>

namespace {

bool isDotsAndSpacesOnly(const std::string& component) {
  return !component.empty() && component.find_first_not_of(". ") == std::string::npos;
}

} // namespace

std::string entryNameWithBackslashes(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool isSafeEntryName(const std::string& name) {
  if (name.empty() || name[0] == '\\') return false;
  if (name.find(':') != std::string::npos) return false;
  size_t start = 0;
  for (;;) {
    const size_t separator = name.find('\\', start);
    const std::string component =
        name.substr(start, separator == std::string::npos ? std::string::npos : separator - start);
    if (isDotsAndSpacesOnly(component)) return false;
    if (separator == std::string::npos) return true;
    start = separator + 1;
  }
}
