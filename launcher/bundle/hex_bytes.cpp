#include "bundle/hex_bytes.h"

#include <cctype>
#include <cstdio>

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

int HexToBytes(const char* text, uint8_t* output, int capacity) {
  if (capacity <= 0) return 0;
  int count = 0;
  const char* p = text;
  for (;;) {
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    const int high = hexValue(p[0]);
    if (high < 0) break;
    const int low = hexValue(p[1]);
    const int value = low < 0 ? high : high * 16 + low;
    p += low < 0 ? 1 : 2;
    // One byte stays free for the NUL that ends the output.
    if (count + 1 >= capacity) {
      std::printf("[Utils] ERROR - HexToBytes is writing too far! %d %d\n", count + 1, capacity);
      break;
    }
    output[count++] = static_cast<uint8_t>(value);
  }
  output[count] = 0;
  return count;
}
