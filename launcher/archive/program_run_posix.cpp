#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>

#include "archive/unpack200.h"
#include "files/file_open.h"

extern char** environ;

bool runProgramAndWait(const std::string& program, const std::string& first, const std::string& second) {
  const std::string path = systemPath(program);
  const std::string a = systemPath(first);
  const std::string b = systemPath(second);
  char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(a.c_str()), const_cast<char*>(b.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
  return true;
}
