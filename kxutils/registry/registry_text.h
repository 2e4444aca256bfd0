// Registry data as the Java side sees it: numbers written from text, and stored data read back as
// text. Stored data is taken only as far as the size the system reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The value text as a base-10 number the way strtol reads it on Windows: leading blanks skipped,
// optional sign, digits up to the first other character, saturated at the 32-bit limits, 0 when
// there are no digits.
int32_t registryNumberFromText(const char* text);

// Strings (types 1 and 2): the bytes up to the first zero byte or the end of the data, whichever
// comes first, unexpanded.
std::string registryStoredText(const unsigned char* data, size_t size);

// The data text of a listed value: strings as above, type 4 as signed decimal, type 11 as signed
// decimal of its low 32 bits, any other type empty. Numbers stored shorter than 4 bytes read as if
// zero-padded.
std::string registryListedDataText(uint32_t type, const unsigned char* data, size_t size);

// What a single-value read answers: as listed, except that a type 11 value of 8 or more bytes gives
// its whole 64-bit signed decimal.
std::string registryReadDataText(uint32_t type, const unsigned char* data, size_t size);

// "<name>-|-|-|<type>-|-|-|<data text>", one element of a key's children list.
std::string registryChildElement(const std::string& name, uint32_t type, const std::string& dataText);

// Separates a key's sub-keys from its values in the children list.
constexpr const char* kRegistryChildrenSeparator = "--------------";
