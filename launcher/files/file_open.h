// Opening a file by a launcher path (narrow text, backslash separators).
#pragma once

#include <cstdio>
#include <string>

// fopen with the launcher's path form; the error code of a failed open (errno) goes to *error.
std::FILE* openFile(const std::string& path, const char* mode, int* error = nullptr);

// The path as the operating system wants it: unchanged on Windows; on the native build (tests and
// tools on Linux) backslashes become slashes, so launcher paths work there too.
std::string systemPath(const std::string& path);
