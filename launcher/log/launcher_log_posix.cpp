#include <cerrno>
#include <cstring>
#include <ctime>

#include "log/launcher_log_platform.h"

uint32_t platformMillisecondTimer() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

// errno stands for the thread's last system error; the text ends with a line break as the
// Windows system texts do.
SystemError platformLastSystemError() {
  const int code = errno;
  return SystemError{code, std::string(std::strerror(code)) + "\n"};
}
