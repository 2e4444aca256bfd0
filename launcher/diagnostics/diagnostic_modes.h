// The launcher's diagnostic runs, selected by a switch in argument 1. They print to standard
// output only and end the process.
#pragma once

#include "startup/command_line.h"

[[noreturn]] void runDiagnosticMode(DiagnosticMode mode, int argc, const char* const* argv);
