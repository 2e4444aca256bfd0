#include <windows.h>

#include "captured_console.h"
#include "locations/path_join.h"
#include "temp_folder.h"
#include "wine_process.h"

std::string windowsPathOf(const std::string& unixPath) {
  if (unixPath.size() > 1 && unixPath[1] == ':') return slashesToBackslashes(unixPath);
  return "Z:" + slashesToBackslashes(unixPath);
}

ProcessResult runProgram(const std::string& application, const std::string& commandLine,
                         const std::string& workingFolder, unsigned long timeoutMs) {
  ProcessResult result;
  TempFolder scratch;
  const std::string outputPath = scratch.launcherPath("output.txt");
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return result;

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  std::string mutableCommandLine = commandLine;
  result.started = CreateProcessA(application.empty() ? nullptr : application.c_str(), mutableCommandLine.data(),
                                  nullptr, nullptr, TRUE, 0, nullptr,
                                  workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process) != 0;
  CloseHandle(output);
  if (!result.started) return result;
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 0xDEAD);
    WaitForSingleObject(process.hProcess, 5000);
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  result.exitCode = code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  result.output = withoutCarriageReturns(readWholeFile(outputPath));
  return result;
}
