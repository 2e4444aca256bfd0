#include "bundle/property_block.h"

#include <cstring>

#include "log/launcher_log.h"

namespace {

bool appendProperty(PropertyBlock& block, const char* prefix, const std::string& name, const std::string& value) {
  const size_t length = propertyBlockLength(block);
  const size_t start = length == 0 ? 0 : length + 1;
  const std::string stored = value.empty() ? std::string(1, '\x04') : value;
  const size_t prefixLength = std::strlen(prefix);
  // prefix, name, NUL, value, and the two NUL bytes that end the block
  const size_t needed = prefixLength + name.size() + 1 + stored.size() + 2;
  if (start + needed > block.bytes.size()) {
    logMessage("[DynProps] No room for property %s%s in the property block\n", prefix, name.c_str());
    return false;
  }
  char* out = block.bytes.data() + start;
  std::memcpy(out, prefix, prefixLength);
  out += prefixLength;
  std::memcpy(out, name.data(), name.size());
  out += name.size();
  *out++ = '\0';
  std::memcpy(out, stored.data(), stored.size());
  out += stored.size();
  out[0] = '\0';
  out[1] = '\0';
  return true;
}

} // namespace

PropertyBlock makePropertyBlock(size_t capacity) { return PropertyBlock{std::vector<char>(capacity, '\0')}; }

size_t propertyBlockLength(const PropertyBlock& block) {
  const std::vector<char>& b = block.bytes;
  for (size_t i = 0; i + 1 < b.size(); ++i) {
    if (b[i] == '\0' && b[i + 1] == '\0') return i;
  }
  return b.empty() ? 0 : b.size() - 1;
}

bool appendStaticProperty(PropertyBlock& block, const std::string& name, const std::string& value) {
  return appendProperty(block, "kxstat_", name, value);
}

bool appendDynamicProperty(PropertyBlock& block, const std::string& name, const std::string& value) {
  return appendProperty(block, "kxdyna_", name, value);
}
