#include <windows.h>

#include <string>

#include "archive/unpack200.h"

bool runProgramAndWait(const std::string& program, const std::string& first, const std::string& second) {
  std::string commandLine = "\"" + program + "\" \"" + first + "\" \"" + second + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
