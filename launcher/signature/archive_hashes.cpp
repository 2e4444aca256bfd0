#include "signature/archive_hashes.h"

#include <mutex>

namespace {

MixedState* mixedOf(hash_state* state) { return reinterpret_cast<MixedState*>(state); }
KeccakState* keccakOf(hash_state* state) { return reinterpret_cast<KeccakState*>(state); }

ltc_hash_descriptor makeDescriptor(const char* name, unsigned char id, unsigned long digestSize,
                                   unsigned long oidLastArc, int (*init)(hash_state*),
                                   int (*process)(hash_state*, const unsigned char*, unsigned long),
                                   int (*done)(hash_state*, unsigned char*)) {
  ltc_hash_descriptor d{};
  d.name = name;
  d.ID = id;
  d.hashsize = digestSize;
  d.blocksize = 64;
  const unsigned long oid[6] = {1, 3, 14, 3, 2, oidLastArc};
  for (int i = 0; i < 6; ++i) d.OID[i] = oid[i];
  d.OIDlen = 6;
  d.init = init;
  d.process = process;
  d.done = done;
  return d;
}

} // namespace

const ltc_hash_descriptor kMixedHashDescriptor =
    makeDescriptor("mixed", 20, kMixedDigestBytes, 52, kx::mixed_init, kx::mixed_process, kx::mixed_done);
const ltc_hash_descriptor kSha3_256HashDescriptor =
    makeDescriptor("sha3_256", 21, kKeccakDigestBytes, 53, kx::sha3_256_init, kx::sha3_256_process, kx::sha3_256_done);

namespace kx {

int sha3_256_init(hash_state* state) { return keccak_init(keccakOf(state)) == 0 ? CRYPT_OK : -1; }

int sha3_256_process(hash_state* state, const unsigned char* data, unsigned long byteLength) {
  return keccak_update(keccakOf(state), data, 8ULL * byteLength) == 0 ? CRYPT_OK : -1;
}

int sha3_256_done(hash_state* state, unsigned char* out) {
  return keccak_final(keccakOf(state), out, kKeccakDigestBytes) == 0 ? CRYPT_OK : -1;
}

int mixed_init(hash_state* state) {
  sha256_init(state);
  keccak_init(&mixedOf(state)->keccak);
  return CRYPT_OK;
}

int mixed_process(hash_state* state, const unsigned char* data, unsigned long byteLength) {
  const int shaResult = sha256_process(state, data, byteLength);
  const int keccakResult = keccak_update(&mixedOf(state)->keccak, data, 8ULL * byteLength) == 0 ? CRYPT_OK : -1;
  return shaResult != CRYPT_OK ? shaResult : keccakResult;
}

int mixed_done(hash_state* state, unsigned char* out) {
  sha256_done(state, out);
  keccak_final(&mixedOf(state)->keccak, out + 32, kKeccakDigestBytes);
  return CRYPT_OK;
}

} // namespace kx

bool registerArchiveHashes() {
  // Archives nested in archives register from their own threads.
  static std::mutex registration;
  std::lock_guard<std::mutex> hold(registration);
  const bool mixed = register_hash(&kMixedHashDescriptor) >= 0;
  const bool sha256 = register_hash(&sha256_desc) >= 0;
  const bool keccak = register_hash(&kSha3_256HashDescriptor) >= 0;
  return mixed && sha256 && keccak;
}

bool mixedHashUpdate(hash_state* state, const void* data, unsigned long byteLength) {
  const int index = find_hash("mixed");
  if (index < 0) return false;
  return hash_descriptor[index].process(state, static_cast<const unsigned char*>(data), byteLength) == CRYPT_OK;
}
