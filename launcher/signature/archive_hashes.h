// The two hashes our archive signatures are made with, as LibTomCrypt hash descriptors:
// "sha3_256" (Keccak-256 with the original pad rule) and "mixed" (SHA-256 and Keccak-256 of the
// same bytes, digests side by side). LibTomCrypt's PSS decoding and MGF1 work on these through
// its hash table, so each state lives inside LibTomCrypt's hash_state record.
#pragma once

#include <cstdint>

#include <tomcrypt.h> // the targets define LTM_DESC

#include "signature/keccak.h"

constexpr int kMixedDigestBytes = 64;

// SHA-256 first, so LibTomCrypt's own SHA-256 functions can be handed the record as it is.
struct MixedState {
  struct sha256_state sha256;
  KeccakState keccak;
};
static_assert(sizeof(MixedState) <= sizeof(hash_state), "the mixed state must fit LibTomCrypt's hash_state");
static_assert(sizeof(KeccakState) <= sizeof(hash_state), "the Keccak state must fit LibTomCrypt's hash_state");

extern const struct ltc_hash_descriptor kMixedHashDescriptor;
extern const struct ltc_hash_descriptor kSha3_256HashDescriptor;

// LibTomCrypt already has functions named sha3_256_*, for FIPS 202 SHA3-256; ours live apart.
namespace kx {

int sha3_256_init(hash_state* state);
int sha3_256_process(hash_state* state, const unsigned char* data, unsigned long byteLength);
int sha3_256_done(hash_state* state, unsigned char* out);

int mixed_init(hash_state* state);
int mixed_process(hash_state* state, const unsigned char* data, unsigned long byteLength);
int mixed_done(hash_state* state, unsigned char* out);

} // namespace kx

// Registers "mixed", LibTomCrypt's "sha256" and "sha3_256", in this order (a descriptor already in
// the table keeps its slot). False when the table has no room for one of them.
bool registerArchiveHashes();

// Feeds bytes to a "mixed" state through the registered descriptor; false when it is not registered
// or the hash refused the bytes.
bool mixedHashUpdate(hash_state* state, const void* data, unsigned long byteLength);
