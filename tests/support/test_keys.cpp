#include "test_keys.h"

#include <stdexcept>

#include "test_keys_generated.h"

const SigningKey& testSigningKey() {
  static SigningKey key;
  static const bool loaded = importSigningKey(key, fromHexText(kTestSigningKeyHex));
  if (!loaded) throw std::runtime_error("the test signing key does not import");
  return key;
}

const char* testPublicKeyHex() { return kTestPublicKeyHex; }
