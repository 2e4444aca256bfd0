#include "bundle/text_fields.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "log/launcher_log.h"
#include "startup/process_exit.h"

TextField readField(RingBuffer* stream, int32_t capacity) {
  TextField field;
  std::vector<char> buffer(static_cast<size_t>(capacity), '\0');
  const int32_t got = RingBuffer_readUntil(stream, buffer.data(), capacity);
  if (got == kRingBufferFieldTooLong) {
    field.status = FieldStatus::TooLong;
  } else if (got > 0) {
    field.status = FieldStatus::Read;
    field.text.assign(buffer.data(), static_cast<size_t>(got - 1));
  }
  return field;
}

int32_t atolRule(const char* text) {
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > INT64_C(1) << 32) value = INT64_C(1) << 32; // far enough past either limit
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t readNumberField(RingBuffer* stream, FieldStatus* status) {
  const TextField field = readField(stream, kNumberFieldCapacity);
  if (status) *status = field.status;
  return field.status == FieldStatus::Read ? atolRule(field.text.c_str()) : -1;
}

void endOnOverlongField(const char* area, const char* field, int32_t capacity) {
  logMessage("[Extractor] The %s field %s is longer than its %d bytes; the bundle is damaged\n", area, field, capacity);
  endProcess(kExitFatal);
}
