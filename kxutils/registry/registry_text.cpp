#include "registry/registry_text.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "registry/registry_names.h"

namespace {

// Little-endian, zero-padded when fewer than `width` bytes are stored.
uint64_t littleEndianNumber(const unsigned char* data, size_t size, size_t width) {
  uint64_t number = 0;
  for (size_t i = 0; i < width && i < size; ++i) number |= static_cast<uint64_t>(data[i]) << (8 * i);
  return number;
}

std::string lowWordText(const unsigned char* data, size_t size) {
  return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(littleEndianNumber(data, size, 4))));
}

} // namespace

int32_t registryNumberFromText(const char* text) {
  // strtol of a 64-bit long would saturate at the 64-bit limits; clamp as the Windows long does.
  const long long number = std::strtoll(text, nullptr, 10);
  if (number > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (number < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(number);
}

std::string registryStoredText(const unsigned char* data, size_t size) {
  if (size == 0) return "";
  const void* end = std::memchr(data, 0, size);
  const size_t length = end ? static_cast<size_t>(static_cast<const unsigned char*>(end) - data) : size;
  return std::string(reinterpret_cast<const char*>(data), length);
}

std::string registryListedDataText(uint32_t type, const unsigned char* data, size_t size) {
  switch (type) {
  case kRegistryString:
  case kRegistryExpandString:
    return registryStoredText(data, size);
  case kRegistryNumber32:
  case kRegistryNumber64:
    return lowWordText(data, size);
  default:
    return "";
  }
}

std::string registryReadDataText(uint32_t type, const unsigned char* data, size_t size) {
  if (type == kRegistryNumber64 && size >= 8)
    return std::to_string(static_cast<int64_t>(littleEndianNumber(data, size, 8)));
  return registryListedDataText(type, data, size);
}

std::string registryChildElement(const std::string& name, uint32_t type, const std::string& dataText) {
  return name + "-|-|-|" + std::to_string(type) + "-|-|-|" + dataText;
}
