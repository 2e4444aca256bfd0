// The signature check over a mixed digest and the loading of the public key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "captured_console.h"
#include "signature/signature_check.h"
#include "test_keys.h"

namespace {

class SignatureCheck : public ::testing::Test {
protected:
  void SetUp() override {
    CapturedConsole quiet;
    loadPublicKey(testPublicKeyHex());
    ASSERT_TRUE(hasPublicKey());
  }
  void TearDown() override { clearPublicKey(); }

  // The verification result and what it printed on standard output.
  static std::pair<bool, std::string> verify(const std::vector<uint8_t>& signature,
                                             const std::vector<uint8_t>& digest) {
    testing::internal::CaptureStdout();
    const bool ok = verifyMixedSignature(signature.data(), static_cast<unsigned long>(signature.size()), digest.data());
    return {ok, withoutCarriageReturns(testing::internal::GetCapturedStdout())};
  }
};

TEST_F(SignatureCheck, AcceptsOnlyTheSignatureOfTheSameDigest) {
  const std::string covered = "0\0name\0"
                              "3\0abc";
  const std::vector<uint8_t> digest = mixedDigestOf(covered);
  const std::vector<uint8_t> signature = signDigest(testSigningKey(), digest);
  ASSERT_EQ(signature.size(), 512u);
  EXPECT_EQ(verify(signature, digest), std::make_pair(true, std::string()));

  std::vector<uint8_t> otherDigest = digest;
  otherDigest[40] ^= 1;
  EXPECT_FALSE(verify(signature, otherDigest).first);
  std::vector<uint8_t> flipped = signature;
  flipped[100] ^= 0x10;
  EXPECT_FALSE(verify(flipped, digest).first);
}

TEST_F(SignatureCheck, SignatureOverFips202Sha3DoesNotVerify) {
  const std::string covered = "archive bytes";
  const std::vector<uint8_t> fips = mixedDigestOf(covered, SecondHalf::kFips202Sha3_256);
  ASSERT_NE(fips, mixedDigestOf(covered));
  EXPECT_FALSE(verify(signDigest(testSigningKey(), fips), mixedDigestOf(covered)).first);
}

TEST_F(SignatureCheck, ASignatureOneByteShortFailsTheCall) {
  const std::vector<uint8_t> digest = mixedDigestOf("x");
  std::vector<uint8_t> signature = signDigest(testSigningKey(), digest);
  signature.pop_back();
  EXPECT_EQ(verify(signature, digest), std::make_pair(false, std::string("ERROR - signature verification failed.\n")));
}

TEST_F(SignatureCheck, WithoutAKeyNothingVerifies) {
  const std::vector<uint8_t> digest = mixedDigestOf("x");
  const std::vector<uint8_t> signature = signDigest(testSigningKey(), digest);
  clearPublicKey();
  EXPECT_FALSE(verify(signature, digest).first);
}

TEST(PublicKeyLoading, LogsAndKeepsNoKeyUnlessTheImportWorks) {
  struct Case {
    const char* hex;
    bool loaded;
    const char* logged; // a line the log must hold
    const char* printed;
  };
  const std::string truncated = std::string(testPublicKeyHex()).substr(0, 600);
  const Case cases[] = {
      {nullptr, false, "[Extractor] Public key empty (no public key)\n", ""},
      {"", false, "[Extractor] Public key length 0 (no public key)\n", ""},
      {truncated.c_str(), false, "[Extractor] Processed public key of length 300\n",
       "ERROR - unable to import public key.\n"},
      {"zz", false, "[Extractor] Public Key: 00000000\n", "ERROR - unable to import public key.\n"},
      {testPublicKeyHex(), true, "[Extractor] Processed public key of length 550\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex ? c.hex : "(none)");
    CapturedConsole console;
    testing::internal::CaptureStdout();
    loadPublicKey(c.hex);
    EXPECT_EQ(withoutCarriageReturns(testing::internal::GetCapturedStdout()), c.printed);
    EXPECT_EQ(hasPublicKey(), c.loaded);
    EXPECT_NE(console.text().find(c.logged), std::string::npos) << console.text();
    clearPublicKey();
  }
}

} // namespace
