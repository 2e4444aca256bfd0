// Hexadecimal text to bytes, for the key and signature texts of this folder.
// (A local decoder until the bundle reader's hex decoding is shared.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Two hex digits (either case) per byte, nothing between them. False for an odd length or any
// other character; out then holds nothing.
bool decodeHexText(const std::string& text, std::vector<uint8_t>& out);
