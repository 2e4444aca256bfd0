// Finding an area's marker in the launcher's own file and streaming what follows it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "stream/ring_buffer.h"

// Reads the file from its current position in large blocks and returns the file offset right after
// the first occurrence of the marker, or -1 when the file ends first. The file is left positioned
// somewhere past the search; the caller seeks.
int64_t findMarkerEnd(std::FILE* file, const std::string& marker);

// Moves the file to an absolute offset (files over 2 GB included). True on success.
bool seekFileTo(std::FILE* file, int64_t offset);

// Opens the launcher's file under path, finds the marker ("Params" or "Tail" names it in messages)
// and returns a RingBuffer fed by a FileReader with the bytes after it. A file that cannot be opened
// or holds no marker ends the process with exit code 1.
RingBuffer* openMarkedStream(const std::string& path, const std::string& marker, const char* markerName);
