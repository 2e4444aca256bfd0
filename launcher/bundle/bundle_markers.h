// The two markers that introduce the bundle's areas in the launcher's own file.
#pragma once

#include <string>

constexpr int kParamsMarkerLength = 64;
constexpr int kTailMarkerLength = 128;

// Both are assembled at run time from their hex text: the search scans the launcher's whole file,
// so the marker bytes must never appear as one contiguous run inside the program image itself.
std::string paramsMarker();
std::string tailMarker();
