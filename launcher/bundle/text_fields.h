// Reading the NUL-terminated text fields that follow a marker.
#pragma once

#include <cstdint>
#include <string>

#include "stream/ring_buffer.h"

enum class FieldStatus {
  Read,    // a whole field arrived
  Missing, // the stream ended before its NUL
  TooLong, // no NUL within the field's capacity
};

struct TextField {
  FieldStatus status = FieldStatus::Missing;
  std::string text; // the field without its NUL; empty unless Read
};

// Takes one field of at most capacity bytes, its NUL included.
TextField readField(RingBuffer* stream, int32_t capacity);

constexpr int32_t kNumberFieldCapacity = 40;

// A field of capacity 40 converted with atolRule; -1 when the field is missing. A field over its
// capacity is reported through *status (also -1).
int32_t readNumberField(RingBuffer* stream, FieldStatus* status = nullptr);

// The atol rule: leading white space, an optional sign, decimal digits; anything else ends the number
// and no digits give 0. Values beyond the signed 32-bit range are clamped to it.
int32_t atolRule(const char* text);

// Logs that a field of the named area exceeds its capacity and ends the process with exit code 1:
// the bundle is damaged and nothing after that field can be trusted.
[[noreturn]] void endOnOverlongField(const char* area, const char* field, int32_t capacity);
