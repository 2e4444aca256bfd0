#include "diagnostics/diagnostic_modes.h"

#include <cstdio>

#include "files/folder_create.h"
#include "startup/process_exit.h"

void runDiagnosticMode(DiagnosticMode mode, int argc, const char* const* argv) {
  switch (mode) {
  case DiagnosticMode::MakeFolder:
    createFolderIfMissing(argv[2]);
    endProcess(kExitSuccess);
  default:
    // The facilities the other modes exercise come with the downloads, archives and splash; until
    // a mode is built it says so and fails, rather than report a success it did not earn.
    std::printf("Diagnostic mode %s is not built into this launcher\n", diagnosticSwitchName(mode));
    endProcess(kExitFatal);
  }
}
