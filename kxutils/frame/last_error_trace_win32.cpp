#include <windows.h>

#include "frame/last_error_trace.h"
#include "frame/trace_log.h"

namespace {

void traceErrorMessage(const char* tag, const char* operation, DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  // The system text brings its own line break.
  traceLog(tag, "%s failed with error %d: %s\n", operation, static_cast<int>(code), text ? text : "");
  if (text) LocalFree(text);
}

} // namespace

void traceLastError(const char* operation) {
  // Read before tracing: opening the trace file on the first entry changes the thread's last error.
  const DWORD code = GetLastError();
  traceLog("PrintError", "Start");
  traceErrorMessage("NativeScreenUtil", operation, code);
  traceLog("PrintError", "End");
}

void traceLastErrorForDisplay(const char* operation) { traceErrorMessage("DisplayError", operation, GetLastError()); }
