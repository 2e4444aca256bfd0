// The property block: every static and dynamic property of a run, later written out for the
// application. Entries are name NUL value NUL, the block ends with two NUL bytes; an empty value is
// stored as the byte 0x04 so that it cannot end the block.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kStartupPropertyBlockCapacity = 200000;

struct PropertyBlock {
  std::vector<char> bytes; // zero-filled, fixed capacity
};

PropertyBlock makePropertyBlock(size_t capacity = kStartupPropertyBlockCapacity);

// Offset of the first of the two final NUL bytes (0 for an empty block).
size_t propertyBlockLength(const PropertyBlock& block);

// Append "kxstat_" + name / "kxdyna_" + name. An entry that does not fit the block's capacity is not
// written (the block stays as it was) and false is returned.
bool appendStaticProperty(PropertyBlock& block, const std::string& name, const std::string& value);
bool appendDynamicProperty(PropertyBlock& block, const std::string& name, const std::string& value);
