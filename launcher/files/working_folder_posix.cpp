#include <unistd.h>

#include "files/working_folder.h"

std::string currentWorkingFolder() {
  char folder[1024] = {0};
  return getcwd(folder, sizeof(folder)) ? std::string(folder) : std::string();
}
