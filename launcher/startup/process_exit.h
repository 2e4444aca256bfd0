// Ending the launcher process. A run ends from whichever thread meets its end; nothing is rolled back.
#pragma once

enum ExitCode : int {
  kExitSuccess = 0,
  kExitFatal = 1,
  kExitPropertiesFileUnwritable = 99,
  kExitSpawnFailed = -1,
};

// Flushes every stream (the log file included) and ends the process with the code.
[[noreturn]] void endProcess(int exitCode);
