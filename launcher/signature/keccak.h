// Keccak-256 with the original Keccak pad rule (pad10*1, no domain bits): the second half of the
// archive digest. This is not the FIPS 202 SHA3-256, whose padding differs.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kKeccakRateBits = 1088;
constexpr int kKeccakRateBytes = kKeccakRateBits / 8;
constexpr int kKeccakDigestBytes = 32;

struct KeccakState {
  uint8_t state[200];  // 25 lanes of 64 bits, little-endian
  int32_t bitPosition; // bits absorbed into the current block; -1 once finalised
};

namespace kx {

// Result 0.
int keccak_init(KeccakState* state);
// Absorbs bitLength bits of data. Result 0, or 1 when the state is finalised or a previous call
// ended inside a byte.
int keccak_update(KeccakState* state, const uint8_t* data, uint64_t bitLength);
// Pads, permutes and squeezes outLength bytes. Result 0, or 1 when already finalised.
int keccak_final(KeccakState* state, uint8_t* out, size_t outLength);

} // namespace kx

// One Keccak-f[1600] permutation (24 rounds) over the 200 state bytes.
void keccakPermute(uint8_t state[200]);
