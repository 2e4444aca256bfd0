// The tests' own signing key (tests/fixtures/keys) as a loaded private key and as public-key hex.
#pragma once

#include "tools/archive/archive_writer.h"

const SigningKey& testSigningKey();
const char* testPublicKeyHex();
