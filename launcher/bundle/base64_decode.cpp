#include "bundle/base64_decode.h"

#include <array>

#include "log/launcher_log.h"

namespace {

constexpr int8_t kNotInAlphabet = -1;

std::array<int8_t, 256> makeDecodeTable() {
  std::array<int8_t, 256> table{};
  table.fill(kNotInAlphabet);
  const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<int8_t>(i);
  return table;
}

} // namespace

std::optional<std::vector<uint8_t>> base64Decode(const char* text, size_t length) {
  static const std::array<int8_t, 256> table = makeDecodeTable(); // built once, on first use
  if (length % 4 != 0) {
    logMessage("[Extractor] Base64 deconding failed as input_length is not aligned\n");
    return std::nullopt;
  }
  size_t padding = 0;
  if (length > 0 && text[length - 1] == '=') ++padding;
  if (length > 1 && text[length - 2] == '=') ++padding;
  for (size_t i = 0; i < length - padding; ++i) {
    if (table[static_cast<unsigned char>(text[i])] == kNotInAlphabet) {
      logMessage("[Extractor] Base64 deconding failed as the input holds a character outside the alphabet\n");
      return std::nullopt;
    }
  }
  const size_t outputLength = length / 4 * 3 - padding;
  std::vector<uint8_t> out(outputLength);
  size_t o = 0;
  for (size_t i = 0; i < length; i += 4) {
    uint32_t triple = 0;
    for (size_t k = 0; k < 4; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + k]);
      triple = (triple << 6) | static_cast<uint32_t>(c == '=' ? 0 : table[c]);
    }
    for (int shift = 16; shift >= 0 && o < outputLength; shift -= 8) out[o++] = static_cast<uint8_t>(triple >> shift);
  }
  return out;
}
