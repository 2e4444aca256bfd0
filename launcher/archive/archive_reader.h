// Extracting archive streams: entries of folders and files read in stream order from a RingBuffer,
// hashed with the mixed hash up to the signature block, which is verified at the end.
#pragma once

#include <cstdint>
#include <string>

#include "stream/ring_buffer.h"

constexpr int32_t kTypeFieldCapacity = 1024;
constexpr int32_t kNameFieldCapacity = 1024;
constexpr int32_t kNumberFieldCapacity = 40;
constexpr int32_t kSignatureFieldCapacity = 4096;
constexpr int32_t kContentBufferBytes = 1048576;

enum class SignatureRule {
  kVerifyWhenPresent,    // archives of the launcher's own file: unsigned ones are accepted
  kRequireWhenKeyLoaded, // downloads: with a key loaded, only a verified signature is accepted
};

enum class ArchiveOutcome { kAccepted, kRefused };

// Reads the whole archive; on refusal (failed or missing required signature, an unsafe name, an
// over-long field, a file that cannot be written) it empties destination and reports kRefused.
ArchiveOutcome readArchive(RingBuffer* input, const std::string& destination, SignatureRule rule);

// readArchive, ending the process with exit code 1 on refusal. Returns 0.
int extractArchive(RingBuffer* input, const std::string& destination,
                   SignatureRule rule = SignatureRule::kVerifyWhenPresent);

enum class EntryOutcome { kExtracted, kEnd, kRefused };

// One entry (or the end) without hashing; a refused entry empties destination.
EntryOutcome readNextEntry(RingBuffer* input, const std::string& destination);

// readNextEntry: 0 for an entry, -1 at the end; a refused entry ends the process with exit code 1.
int extractNextEntry(RingBuffer* input, const std::string& destination);

// The number rule of number fields: leading white space, optional sign, digits up to the first
// other character; no digits reads 0; the value saturates to signed 32 bits.
int32_t parseNumberField(const char* text);
