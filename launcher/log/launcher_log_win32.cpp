#include <windows.h>
#include <mmsystem.h>

#include <mmsystem.h> // needs the types of windows.h

#include "log/launcher_log_platform.h"

uint32_t platformMillisecondTimer() { return timeGetTime(); }

SystemError platformLastSystemError() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  SystemError error{static_cast<long>(code), text ? text : ""};
  if (text) LocalFree(text);
  return error;
}
