// Hex text to bytes, for the archive-signing public key of the tail.
#pragma once

#include <cstddef>
#include <cstdint>

// Parses up to two hex digits at a time (leading white space skipped, as "%2x" does) until a pair
// does not parse, stores the bytes and a NUL after them, and returns the count. Nothing is written at
// or past capacity: text that would need more prints the "writing too far" warning and stops there.
int HexToBytes(const char* text, uint8_t* output, int capacity);
