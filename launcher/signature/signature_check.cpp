#include "signature/signature_check.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "log/launcher_log.h"
#include "signature/archive_hashes.h"
#include "signature/hex_text.h"

namespace {

// Written on the start-up thread before any archive is read, only read afterwards.
rsa_key publicKey;
bool publicKeyLoaded = false;

void selectMathProvider() {
  static std::once_flag once;
  std::call_once(once, [] { ltc_mp = ltm_desc; });
}

} // namespace

void clearPublicKey() {
  if (publicKeyLoaded) rsa_free(&publicKey);
  publicKeyLoaded = false;
}

bool hasPublicKey() { return publicKeyLoaded; }

void loadPublicKey(const char* hexText) {
  clearPublicKey();
  if (!hexText) {
    logMessage("[Extractor] Public key empty (no public key)\n");
    return;
  }
  const std::string text(hexText);
  if (text.empty()) {
    logMessage("[Extractor] Public key length %d (no public key)\n", 0);
    return;
  }
  std::vector<uint8_t> der;
  decodeHexText(text, der);
  logMessage("[Extractor] Processed public key of length %d\n", static_cast<int>(der.size()));
  logMessage("[Extractor] Hex: %s\n", hexText);
  selectMathProvider();
  if (der.empty() || rsa_import(der.data(), static_cast<unsigned long>(der.size()), &publicKey) != CRYPT_OK) {
    std::printf("ERROR - unable to import public key.\n");
    std::fflush(stdout);
  } else {
    publicKeyLoaded = true;
  }
  // The handle has no meaning outside this process; 0 tells that there is no key.
  logMessage("[Extractor] Public Key: %08X\n",
             publicKeyLoaded ? static_cast<unsigned>(reinterpret_cast<uintptr_t>(&publicKey)) : 0u);
}

bool verifyMixedSignature(const uint8_t* signature, unsigned long signatureLength, const uint8_t* digest) {
  if (!publicKeyLoaded) {
    std::printf("ERROR - signature verification failed.\n");
    std::fflush(stdout);
    return false;
  }
  const int hash = find_hash("mixed");
  int status = -1;
  const int result = rsa_verify_hash_ex(signature, signatureLength, digest, kMixedDigestBytes, LTC_PKCS_1_PSS, hash,
                                        kSignatureSaltLength, &status, &publicKey);
  if (result != CRYPT_OK) {
    std::printf("ERROR - signature verification failed.\n");
    std::fflush(stdout);
    return false;
  }
  return status == 1;
}
