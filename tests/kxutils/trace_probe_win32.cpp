// Runs one trace scenario in a process of its own, so the scenario meets the process-wide trace
// state untested: `kxutils_trace_probe <scenario>` in a folder with or without the marker.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "frame/last_error_trace.h"
#include "frame/trace_log.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* scenario = argv[1];
  if (std::strcmp(scenario, "last-error") == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    traceLastError("OpenProcess");
    return 0;
  }
  if (std::strcmp(scenario, "display-error") == 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    traceLastErrorForDisplay("SetWindowsHookEx");
    return 0;
  }
  if (std::strcmp(scenario, "marker-created-later") == 0) {
    traceLog("regGet", "Start");
    if (std::FILE* marker = std::fopen("debug-kx.txt", "w")) std::fclose(marker);
    traceLog("regGet", "End");
    return 0;
  }
  return 2;
}
