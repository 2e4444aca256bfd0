// The pack200 tool that turns a ".p2" entry into its final file.
#pragma once

#include <string>

// Process-wide: the tool's path, set before the first pack200 entry is read (start-up thread).
void setUnpack200Path(const std::string& path);
std::string unpack200Path();

// Called once per process before the tool's first run (the start-up sequence installs the
// subsystem patch of the tool here); none by default.
using Unpack200Preparation = void (*)(const std::string& toolPath);
void setUnpack200Preparation(Unpack200Preparation prepare);

// Runs the tool on packed (the ".p2" file) and target and waits for it to end, preparing it first
// when this is the first run in the process. The tool's exit code is not used.
void runUnpack200(const std::string& packed, const std::string& target);

// Starts program with two arguments and waits for it; false when it could not be started.
bool runProgramAndWait(const std::string& program, const std::string& first, const std::string& second);
