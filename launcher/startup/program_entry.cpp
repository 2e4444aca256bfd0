// The launcher's entry point: a diagnostic run when a switch asks for one, otherwise the start-up
// sequence, which ends the process itself.
#include <cstdio>

#include "diagnostics/diagnostic_modes.h"
#include "startup/command_line.h"
#include "startup/startup_sequence.h"

int main(int argc, char** argv) {
  const DiagnosticMode mode = chooseDiagnosticMode(argc, argv);
  if (mode != DiagnosticMode::None) runDiagnosticMode(mode, argc, argv);

  std::printf("Extracting wrapper tail...\n");
  std::fflush(stdout);
  runStartupSequence(makeStartupArguments(argc, argv));
}
