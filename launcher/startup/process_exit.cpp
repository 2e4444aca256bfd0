#include "startup/process_exit.h"

#include <cstdio>
#include <cstdlib>

void endProcess(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
