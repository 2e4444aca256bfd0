// Keccak-256 (original pad rule) and the mixed digest: reference values, piece-size invariance,
// the pad edge cases and the refusals of a finalised or partial-byte state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signature/archive_hashes.h"
#include "signature/keccak.h"
#include "tools/archive/archive_writer.h"

namespace {

std::string hexOf(const uint8_t* bytes, size_t n) { return toHexText(std::vector<uint8_t>(bytes, bytes + n)); }

std::string mixedDigestInPieces(const std::string& input, size_t piece) {
  EXPECT_TRUE(registerArchiveHashes());
  hash_state state;
  kx::mixed_init(&state);
  for (size_t at = 0; at < input.size(); at += piece) {
    const size_t n = std::min(piece, input.size() - at);
    EXPECT_TRUE(mixedHashUpdate(&state, input.data() + at, static_cast<unsigned long>(n)));
  }
  uint8_t digest[kMixedDigestBytes];
  kx::mixed_done(&state, digest);
  return hexOf(digest, sizeof(digest));
}

std::string keccakOf(const std::string& input) {
  KeccakState s;
  kx::keccak_init(&s);
  kx::keccak_update(&s, reinterpret_cast<const uint8_t*>(input.data()), 8ULL * input.size());
  uint8_t out[32];
  kx::keccak_final(&s, out, sizeof(out));
  return hexOf(out, sizeof(out));
}

TEST(MixedHash, ReferenceDigests) {
  EXPECT_EQ(mixedDigestInPieces("", 1), "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"
                                        "C5D2460186F7233C927E7DB2DCC703C0E500B653CA82273B7BFAD8045D85A470");
  EXPECT_EQ(mixedDigestInPieces("abc", 3), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"
                                           "4E03657AEA45A94FC7D47BA826C8D667C0D1E6E33A64A036EC44F58FA12D6C45");
}

TEST(MixedHash, PieceSizesDoNotChangeTheDigest) {
  std::string input(3 * 1024 * 1024 + 77, '\0');
  for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  const std::string whole = mixedDigestInPieces(input, input.size());
  for (size_t piece : {size_t{1}, size_t{135}, size_t{136}, size_t{137}, size_t{1} << 20}) {
    SCOPED_TRACE(piece);
    // Single bytes over 3 MiB take long under the sanitizers; a 100 KiB prefix covers that case.
    const std::string sample = piece == 1 ? input.substr(0, 100 * 1024) : input;
    const std::string reference = piece == 1 ? mixedDigestInPieces(sample, sample.size()) : whole;
    EXPECT_EQ(mixedDigestInPieces(sample, piece), reference);
  }
}

TEST(MixedHash, DescriptorsAreRegisteredOnceWithTheirValues) {
  ASSERT_TRUE(registerArchiveHashes());
  const int mixed = find_hash("mixed");
  ASSERT_TRUE(registerArchiveHashes());
  EXPECT_EQ(find_hash("mixed"), mixed);
  EXPECT_EQ(hash_descriptor[mixed].hashsize, 64u);
  EXPECT_EQ(hash_descriptor[mixed].ID, 20);
  const int keccak = find_hash("sha3_256");
  ASSERT_GE(keccak, 0);
  EXPECT_EQ(hash_descriptor[keccak].hashsize, 32u);
  EXPECT_EQ(hash_descriptor[keccak].ID, 21);
  EXPECT_GE(find_hash("sha256"), 0);
}

TEST(Keccak256, PadEdgesAroundTheBlockSize) {
  // Lengths 135 (pad byte 0x81) and 136 (a whole pad block); the values come from a separate
  // textbook sponge that also reproduces FIPS 202 SHA3-256 when given the 0x06 pad byte.
  struct Case {
    size_t length;
    const char* digest;
  };
  const Case cases[] = {
      {135, "34367DC248BBD832F4E3E69DFAAC2F92638BD0BBD18F2912BA4EF454919CF446"},
      {136, "A6C4D403279FE3E0AF03729CAADA8374B5CA54D8065329A3EBCAEB4B60AA386E"},
      {137, "D869F639C7046B4929FC92A4D988A8B22C55FBADB802C0C66EBCD484F1915F39"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(keccakOf(std::string(c.length, 'a')), c.digest);
  }
}

TEST(Keccak256, RefusesUpdatesAfterFinalOrAPartialByte) {
  KeccakState s;
  const uint8_t byte = 0xA5;
  uint8_t out[32];
  kx::keccak_init(&s);
  EXPECT_EQ(kx::keccak_update(&s, &byte, 3), 0);
  EXPECT_EQ(kx::keccak_update(&s, &byte, 8), 1);
  EXPECT_EQ(kx::keccak_final(&s, out, sizeof(out)), 0);
  EXPECT_EQ(s.bitPosition, -1);
  EXPECT_EQ(kx::keccak_update(&s, &byte, 8), 1);
  EXPECT_EQ(kx::keccak_final(&s, out, sizeof(out)), 1);

  hash_state state;
  kx::sha3_256_init(&state);
  unsigned char digest[32];
  EXPECT_EQ(kx::sha3_256_done(&state, digest), CRYPT_OK);
  EXPECT_EQ(kx::sha3_256_process(&state, &byte, 1), -1);
}

} // namespace
