// What the run log needs from the operating system.
#pragma once

#include <cstdint>
#include <string>

// The system millisecond timer (32 bits, wraps after about 49 days).
uint32_t platformMillisecondTimer();

// The calling thread's last system error code and the system's text for it (with the system's
// own trailing line break, if it has one).
struct SystemError {
  long code;
  std::string text;
};
SystemError platformLastSystemError();
