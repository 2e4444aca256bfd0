#include "signature/keccak.h"

#include <algorithm>
#include <cstring>

namespace {

const uint64_t kRoundConstants[24] = {
    0x0000000000000001ULL, 0x0000000000008082ULL, 0x800000000000808AULL, 0x8000000080008000ULL, 0x000000000000808BULL,
    0x0000000080000001ULL, 0x8000000080008081ULL, 0x8000000000008009ULL, 0x000000000000008AULL, 0x0000000000000088ULL,
    0x0000000080008009ULL, 0x000000008000000AULL, 0x000000008000808BULL, 0x800000000000008BULL, 0x8000000000008089ULL,
    0x8000000000008003ULL, 0x8000000000008002ULL, 0x8000000000000080ULL, 0x000000000000800AULL, 0x800000008000000AULL,
    0x8000000080008081ULL, 0x8000000000008080ULL, 0x0000000080000001ULL, 0x8000000080008008ULL};

// Rotation offsets and lane order of the combined rho and pi steps.
const int kRotations[24] = {1, 3, 6, 10, 15, 21, 28, 36, 45, 55, 2, 14, 27, 41, 56, 8, 25, 43, 62, 18, 39, 61, 20, 44};
const int kPiLanes[24] = {10, 7, 11, 17, 18, 3, 5, 16, 8, 21, 24, 4, 15, 23, 19, 13, 12, 2, 20, 14, 22, 9, 6, 1};

inline uint64_t rotateLeft(uint64_t v, int n) { return (v << n) | (v >> (64 - n)); }

inline uint64_t loadLane(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

inline void storeLane(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void permuteLanes(uint64_t a[25]) {
  for (int round = 0; round < 24; ++round) {
    uint64_t c[5];
    for (int x = 0; x < 5; ++x) c[x] = a[x] ^ a[x + 5] ^ a[x + 10] ^ a[x + 15] ^ a[x + 20];
    for (int x = 0; x < 5; ++x) {
      const uint64_t d = c[(x + 4) % 5] ^ rotateLeft(c[(x + 1) % 5], 1);
      for (int y = 0; y < 25; y += 5) a[y + x] ^= d;
    }
    uint64_t carried = a[1];
    for (int i = 0; i < 24; ++i) {
      const int lane = kPiLanes[i];
      const uint64_t next = a[lane];
      a[lane] = rotateLeft(carried, kRotations[i]);
      carried = next;
    }
    for (int y = 0; y < 25; y += 5) {
      uint64_t row[5];
      for (int x = 0; x < 5; ++x) row[x] = a[y + x];
      for (int x = 0; x < 5; ++x) a[y + x] = row[x] ^ (~row[(x + 1) % 5] & row[(x + 2) % 5]);
    }
    a[0] ^= kRoundConstants[round];
  }
}

// Whole blocks go straight from the caller's bytes into the lanes, with one permutation per block.
void absorbBlocks(uint8_t state[200], const uint8_t* data, uint64_t blocks) {
  uint64_t lanes[25];
  for (int i = 0; i < 25; ++i) lanes[i] = loadLane(state + 8 * i);
  for (uint64_t b = 0; b < blocks; ++b, data += kKeccakRateBytes) {
    for (int i = 0; i < kKeccakRateBytes / 8; ++i) lanes[i] ^= loadLane(data + 8 * i);
    permuteLanes(lanes);
  }
  for (int i = 0; i < 25; ++i) storeLane(state + 8 * i, lanes[i]);
}

} // namespace

void keccakPermute(uint8_t state[200]) {
  uint64_t lanes[25];
  for (int i = 0; i < 25; ++i) lanes[i] = loadLane(state + 8 * i);
  permuteLanes(lanes);
  for (int i = 0; i < 25; ++i) storeLane(state + 8 * i, lanes[i]);
}

namespace kx {

int keccak_init(KeccakState* s) {
  std::memset(s->state, 0, sizeof(s->state));
  s->bitPosition = 0;
  return 0;
}

int keccak_update(KeccakState* s, const uint8_t* data, uint64_t bitLength) {
  if (s->bitPosition < 0 || s->bitPosition % 8 != 0) return 1;
  while (bitLength >= 8 && s->bitPosition != 0) {
    s->state[s->bitPosition / 8] ^= *data++;
    bitLength -= 8;
    s->bitPosition += 8;
    if (s->bitPosition == kKeccakRateBits) {
      keccakPermute(s->state);
      s->bitPosition = 0;
    }
  }
  const uint64_t blocks = bitLength / kKeccakRateBits;
  if (blocks > 0) {
    absorbBlocks(s->state, data, blocks);
    data += blocks * kKeccakRateBytes;
    bitLength -= blocks * kKeccakRateBits;
  }
  while (bitLength >= 8) {
    s->state[s->bitPosition / 8] ^= *data++;
    bitLength -= 8;
    s->bitPosition += 8;
  }
  if (bitLength > 0) {
    const int remaining = static_cast<int>(bitLength);
    s->state[s->bitPosition / 8] ^= static_cast<uint8_t>(*data >> (8 - remaining));
    s->bitPosition += remaining;
  }
  return 0;
}

int keccak_final(KeccakState* s, uint8_t* out, size_t outLength) {
  if (s->bitPosition < 0) return 1;
  if (s->bitPosition == kKeccakRateBits - 1) {
    s->state[kKeccakRateBytes - 1] ^= 0x80;
    keccakPermute(s->state);
    s->state[kKeccakRateBytes - 1] ^= 0x80;
    keccakPermute(s->state);
  } else {
    s->state[s->bitPosition / 8] ^= static_cast<uint8_t>(1u << (s->bitPosition % 8));
    s->state[kKeccakRateBytes - 1] ^= 0x80;
    keccakPermute(s->state);
  }
  for (;;) {
    const size_t n = std::min<size_t>(outLength, kKeccakRateBytes);
    std::memcpy(out, s->state, n);
    out += n;
    outLength -= n;
    if (outLength == 0) break;
    keccakPermute(s->state);
  }
  s->bitPosition = -1;
  return 0;
}

} // namespace kx
