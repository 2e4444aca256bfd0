// The process-wide archive-signing public key and the check of an archive signature against it:
// RSA-PSS with the "mixed" hash as PSS and MGF1 hash, salt length 64.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr unsigned long kSignatureSaltLength = 64;

// Imports the key from the hex text of its DER form (SubjectPublicKeyInfo or PKCS #1). A null
// text is "no property value"; an empty one, a bad text or a failed import leave no key. Never ends
// the process. Replaces any key loaded before.
void loadPublicKey(const char* hexText);

bool hasPublicKey();

// Forgets the key (tests, and the start of a run).
void clearPublicKey();

// True only when the signature verifies over the 64-byte digest with the loaded key. Without a
// key nothing can verify, so the result is false.
bool verifyMixedSignature(const uint8_t* signature, unsigned long signatureLength, const uint8_t* digest);
