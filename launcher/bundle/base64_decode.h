// Base64 (standard alphabet, "=" padding) as the splash picture of the dynamic properties carries it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The decoded bytes, or none for text whose length is not a multiple of 4 or that holds a character
// outside the alphabet (padding is accepted only as the last one or two characters).
std::optional<std::vector<uint8_t>> base64Decode(const char* text, size_t length);
