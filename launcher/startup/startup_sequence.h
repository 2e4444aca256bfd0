// The one ordered sequence of a normal launcher run, from the bundle data to the launch.
#pragma once

#include "startup/command_line.h"

// Runs the sequence on the calling (main) thread and ends the process with its exit code.
[[noreturn]] void runStartupSequence(const StartupArguments& startup);

// The absolute form of the invocation path: unchanged when it starts with "\\" or "X:\",
// otherwise the working folder joined with it.
std::string absoluteLauncherPath(const std::string& invocationPath, const std::string& workingFolder);
