// Starting a Windows program from a test and collecting what it printed and its exit code.
#pragma once

#include <string>

struct ProcessResult {
  bool started = false;
  unsigned long exitCode = 0;
  std::string output; // standard output and standard error, CR LF turned into LF
};

// Runs commandLine (application path given separately, may be empty) in workingFolder and waits up to
// timeoutMs; a program still running then is killed and reported with exit code 0xDEAD.
ProcessResult runProgram(const std::string& application, const std::string& commandLine,
                         const std::string& workingFolder, unsigned long timeoutMs = 60000);

// A Linux path as Wine's programs see it (drive Z: is the Linux root).
std::string windowsPathOf(const std::string& unixPath);
